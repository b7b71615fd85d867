#include "ui/boards/modem/stale_mark.h"

#include <QVariant>
#include <QWidget>

#include "boards/modem/modem_view.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {
constexpr const char* kMarked = "notRefreshed";
constexpr const char* kOwnTip = "ownToolTip";
}  // namespace

void MarkNotRefreshed(QWidget* widget, bool stale) {
  if (IsMarkedNotRefreshed(widget) == stale) return;
  widget->setProperty(kMarked, stale);
  if (stale) {
    const QString own = widget->toolTip();
    widget->setProperty(kOwnTip, own);
    widget->setToolTip(own.isEmpty() ? QString(kNotRefreshedHint) : QString(kNotRefreshedHint) + "\n" + own);
    widget->setStyleSheet(ColourCss(kNotRefreshedColour));
  } else {
    widget->setToolTip(widget->property(kOwnTip).toString());
    widget->setStyleSheet(QString());
  }
}

bool IsMarkedNotRefreshed(const QWidget* widget) { return widget->property(kMarked).toBool(); }

}  // namespace varnel::ui
