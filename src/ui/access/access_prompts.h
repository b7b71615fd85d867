#pragma once
// The access mode's questions and messages as the program's own boxes.

#include "access/access_modes.h"

class QWidget;

namespace varnel::ui {

class Dialogs;

class AccessPrompts : public AccessDialogs {
 public:
  AccessPrompts(Dialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt) override;
  void Warning(const std::string& text) override;
  void Information(const std::string& text) override;

 private:
  Dialogs& dialogs_;
  QWidget* parent_;
};

}  // namespace varnel::ui
