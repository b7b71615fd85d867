#pragma once
// The top bar: connection panel (peer button, start/stop), user/help panel,
// and the read/write panel that appears once a block is shown. The two
// separators between them follow the panels and cannot be dragged.

#include <QWidget>
#include <array>

class QAction;
class QCheckBox;
class QMenu;
class QLabel;
class QPushButton;
class QSpinBox;

namespace varnel::ui {

class TopBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 65;
  static constexpr int kConnectionWidth = 177;

  explicit TopBar(QWidget* parent = nullptr);

  // The user/help panel spans the tree and the board column so that the
  // read/write panel starts above the board pages.
  void AlignWith(int treeWidth, int boardColumnWidth);

  QPushButton* butIP = nullptr;
  // PopMenuIP: item 0 asks for a new address, items 1..16 are the list's.
  QMenu* popMenuIP = nullptr;
  std::array<QAction*, 17> ipItems{};
  QPushButton* butStartStop = nullptr;
  QPushButton* butUSR = nullptr;
  QPushButton* butHelp = nullptr;
  QWidget* panButsRW = nullptr;
  QPushButton* butRD = nullptr;
  QPushButton* butWR = nullptr;
  QLabel* labRWstat = nullptr;
  QCheckBox* chAutoRD = nullptr;
  QSpinBox* editAutoRefr = nullptr;

 private:
  QWidget* connection_ = nullptr;
  QWidget* userHelp_ = nullptr;
};

}  // namespace varnel::ui
