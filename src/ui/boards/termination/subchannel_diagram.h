#pragma once
// The bandwidth split of the HF channel among the services: two rows of bars
// (transmit above, receive below) at the pixel widths the board rules give,
// with their value labels and the colour legend. The widths stay as they are
// whatever the window's width: a narrow window scrolls instead of squeezing.

#include <QWidget>
#include <array>
#include <vector>

#include "boards/termination/subchannel_view.h"

class QFrame;
class QLabel;

namespace varnel::ui {

class SubchannelDiagram : public QWidget {
  Q_OBJECT
 public:
  explicit SubchannelDiagram(QWidget* parent = nullptr);
  void Show(const SubchannelView& view);

  QLabel* labHFtx = nullptr;
  QLabel* labHFrx = nullptr;

 private:
  struct RowWidgets {
    std::array<QFrame*, 5> bars{};   // service, telemechanics, voice 1, voice 2, data
    std::array<QLabel*, 5> labels{};
  };
  void BuildRow(RowWidgets& row, const char* suffix, int top);
  void ShowRow(RowWidgets& row, const SubchannelRow& model);
  void PlaceLegend(int left);
  RowWidgets tx_, rx_;
  std::vector<std::pair<QFrame*, QLabel*>> legend_;
};

}  // namespace varnel::ui
