#pragma once
// "Работа каналов": twelve rows per HF channel with the receiver state and
// KO indicators, the show boxes and the reset and data-loop controls. The
// controls are placed as the operators know them: one column per channel,
// 160 pixels apart, rows 18 pixels apart.

#include <QWidget>
#include <array>

#include "model/board_state.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace varnel::ui {

class Indicator;

class ModemChannelPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRows = 12;

  struct Column {
    QCheckBox* show = nullptr;
    std::array<QLabel*, kRows> values{};
    Indicator* state = nullptr;
    Indicator* ko = nullptr;
    QPushButton* reset = nullptr;
  };

  explicit ModemChannelPage(QWidget* parent = nullptr);

  // Redraws the rows from the modem board's record; the rows of a channel
  // whose answer did not come are greyed as not refreshed.
  void Show(const TBRDS& modem, const std::array<bool, 3>& notRefreshed = {});
  // Rows read "---", indicators grey: a block was just opened.
  void Reset();
  bool channelShown(int c) const;

  std::array<Column, 3> columns;
  std::array<QLabel*, kRows> captions{};
  QPushButton* butCRCall = nullptr;
  QPushButton* butLoop = nullptr;
  QMenu* popupMenuDF = nullptr;
  std::array<QAction*, 4> menuDF{};  // "Сбросить", then KO 1..3

 signals:
  void showBoxClicked(int channel);
};

}  // namespace varnel::ui
