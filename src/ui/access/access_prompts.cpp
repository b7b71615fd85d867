#include "ui/access/access_prompts.h"

#include "ui/main_window/dialogs.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

std::optional<std::string> AccessPrompts::AskText(const std::string& caption, const std::string& prompt) {
  QString entry;
  if (!dialogs_.askPassword(parent_, Q(caption), Q(prompt), entry)) return std::nullopt;
  return entry.toStdString();
}

void AccessPrompts::Warning(const std::string& text) { dialogs_.warning(parent_, Display(text)); }

void AccessPrompts::Information(const std::string& text) { dialogs_.information(parent_, Display(text)); }

}  // namespace varnel::ui
