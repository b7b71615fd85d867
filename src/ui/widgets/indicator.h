#pragma once
// A small filled shape that shows a state by its colour.

#include <QFrame>

namespace varnel::ui {

class Indicator : public QFrame {
  Q_OBJECT
 public:
  explicit Indicator(QWidget* parent = nullptr);
  // Colour as 0xBBGGRR.
  void setColour(std::uint32_t bgr);
  std::uint32_t colour() const { return colour_; }

 private:
  std::uint32_t colour_ = 0x808080;
};

}  // namespace varnel::ui
