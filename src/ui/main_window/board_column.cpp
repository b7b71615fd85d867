#include "ui/main_window/board_column.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/board_table.h"

namespace varnel::ui {

BoardColumn::BoardColumn(QWidget* parent) : QWidget(parent) {
  setObjectName("PanBoards");
  setFixedWidth(kWidth);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  group_ = new QButtonGroup(this);
  group_->setExclusive(true);

  QFont plain = font();
  plain.setFamily("DejaVu Sans Mono");  // the labels are blank-padded to line up
  for (int i = 0; i <= kBoardSlots; ++i) {
    const bool block = i == 0;
    auto* b = new QPushButton(block ? QString("Блок") : QString::fromUtf8(BoardRow(i).shortLabel.data(),
                                                                             static_cast<qsizetype>(BoardRow(i).shortLabel.size())),
                              this);
    b->setObjectName(block ? QString("ButBlock") : QString("ButBrd%1").arg(i));
    b->setCheckable(true);
    b->setEnabled(block || BoardRow(i).selectable);
    if (!block) b->setFont(plain);
    group_->addButton(b, i);
    column->addWidget(b);
    buttons_[static_cast<std::size_t>(i)] = b;
  }
  column->addStretch(1);
  buttons_[0]->setChecked(true);
  connect(group_, &QButtonGroup::idClicked, this, &BoardColumn::selectionChanged);
}

int BoardColumn::selectedSlot() const { return std::max(0, group_->checkedId()); }

void BoardColumn::selectBlock() { buttons_[0]->setChecked(true); }

}  // namespace varnel::ui
