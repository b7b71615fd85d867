#pragma once
// PanBoards: the block button and one button per board slot, built from the
// board table. Exactly one is down; the filter boards cannot be chosen.

#include <QWidget>
#include <array>

class QButtonGroup;
class QPushButton;

namespace varnel::ui {

class BoardColumn : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 110;

  explicit BoardColumn(QWidget* parent = nullptr);

  // 0 for the block button, 1..10 for the board slots.
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  int selectedSlot() const;
  void selectBlock();

 signals:
  void selectionChanged(int slot);

 private:
  std::array<QPushButton*, 11> buttons_{};
  QButtonGroup* group_ = nullptr;
};

}  // namespace varnel::ui
