#include "ui/main_window/top_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QFrame>

#include "ui/widgets/names.h"

namespace varnel::ui {

namespace {

// The separators between the panels look like splitters but never move:
// the panels keep the widths they are given.
QFrame* Separator(QWidget* parent, const char* name) {
  auto* line = Named(new QFrame(parent), name);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

TopBar::TopBar(QWidget* parent) : QWidget(parent) {
  setObjectName("PanTop");
  setFixedHeight(kHeight);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  connection_ = Named(new QWidget(this), "PanTopButIP");
  connection_->setFixedWidth(kConnectionWidth);
  auto* connectionRow = new QHBoxLayout(connection_);
  connectionRow->setContentsMargins(2, 2, 2, 2);
  butIP = Named(new QPushButton(connection_), "ButIP");
  butIP->setToolTip("Подключиться к другому блоку");
  butIP->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  popMenuIP = Named(new QMenu(butIP), "PopMenuIP");
  for (std::size_t k = 0; k < ipItems.size(); ++k) {
    ipItems[k] = popMenuIP->addAction(QString());
    ipItems[k]->setObjectName(QString("MenuIP%1").arg(k));
    ipItems[k]->setCheckable(k != 0);
  }
  butStartStop = Named(new QPushButton("Активен", connection_), "ButStartStop");
  butStartStop->setCheckable(true);
  butStartStop->hide();
  connectionRow->addWidget(butIP);
  connectionRow->addWidget(butStartStop);

  userHelp_ = Named(new QWidget(this), "PanTopButs");
  auto* userRow = new QHBoxLayout(userHelp_);
  userRow->setContentsMargins(2, 2, 2, 2);
  butUSR = Named(new QPushButton(userHelp_), "ButUSR");
  butHelp = Named(new QPushButton("?", userHelp_), "ButHelp");
  butHelp->setToolTip("О программе");
  for (auto* b : {butUSR, butHelp}) b->setFixedSize(48, 48);
  butUSR->setIconSize(QSize(40, 40));
  userRow->addWidget(butUSR);
  userRow->addWidget(butHelp);
  userRow->addStretch(1);

  panButsRW = Named(new QWidget(this), "PanButsRW");
  auto* rwRow = new QHBoxLayout(panButsRW);
  rwRow->setContentsMargins(2, 2, 2, 2);
  butRD = Named(new QPushButton("Чтение", panButsRW), "ButRD");
  butWR = Named(new QPushButton("Запись", panButsRW), "ButWR");
  labRWstat = Named(new QLabel(panButsRW), "LabRWstat");
  chAutoRD = Named(new QCheckBox("Авто-чтение, сек", panButsRW), "ChAutoRD");
  editAutoRefr = Named(new QSpinBox(panButsRW), "EditAutoRefr");
  editAutoRefr->setRange(1, 60);
  editAutoRefr->setValue(5);
  editAutoRefr->hide();
  rwRow->addWidget(butRD);
  rwRow->addWidget(butWR);
  rwRow->addWidget(labRWstat, 1);
  rwRow->addWidget(chAutoRD);
  rwRow->addWidget(editAutoRefr);
  panButsRW->hide();  // until a block answers

  row->addWidget(connection_);
  row->addWidget(Separator(this, "SplitTop1"));
  row->addWidget(userHelp_);
  row->addWidget(Separator(this, "SplitTop2"));
  row->addWidget(panButsRW, 1);
  row->addStretch(0);
}

void TopBar::AlignWith(int treeWidth, int boardColumnWidth) {
  userHelp_->setFixedWidth(std::max(0, treeWidth + boardColumnWidth - kConnectionWidth + 8));
}

}  // namespace varnel::ui
