#include "ui/launch/hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPalette>
#include <QToolTip>
#include <QWidget>

namespace varnel::ui {

namespace {

// Qt keeps long hints up longer; here every hint hides after the same pause.
class HintTimer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->toolTip().isEmpty()) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintHidePauseMs);
    return true;
  }
};

}  // namespace

void InstallHintStyle(QApplication& app) {
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, kHintColour);
  QToolTip::setPalette(palette);
  app.installEventFilter(new HintTimer(&app));
}

}  // namespace varnel::ui
