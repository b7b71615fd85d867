#include "ui/widgets/indicator.h"

#include "ui/widgets/qt_text.h"

namespace varnel::ui {

Indicator::Indicator(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  setColour(colour_);
}

void Indicator::setColour(std::uint32_t bgr) {
  colour_ = bgr;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, BgrColour(bgr));
  setPalette(pal);
}

}  // namespace varnel::ui
