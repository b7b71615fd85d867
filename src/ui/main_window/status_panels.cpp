#include "ui/main_window/status_panels.h"

#include <QLabel>

namespace varnel::ui {

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusPan");
  setSizeGripEnabled(false);
  constexpr std::array<int, 4> kWidths{200, 250, 150, 0};
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("StatusPanel%1").arg(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    if (kWidths[i] > 0) label->setFixedWidth(kWidths[i]);
    addWidget(label, kWidths[i] > 0 ? 0 : 1);
    panels_[i] = label;
  }
}

void StatusPanels::setPanel(int index, const QString& text) { panels_.at(static_cast<std::size_t>(index))->setText(text); }

QString StatusPanels::panel(int index) const { return panels_.at(static_cast<std::size_t>(index))->text(); }

}  // namespace varnel::ui
