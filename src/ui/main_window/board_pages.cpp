#include "ui/main_window/board_pages.h"


#include <QPushButton>

#include "ui/boards/amplifier/amplifier_panel.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/boards/termination/termination_panel.h"
#include "ui/main_window/block_params_panel.h"
#include "ui/widgets/names.h"

namespace varnel::ui {

BoardPages::BoardPages(QWidget* parent) : QStackedWidget(parent) {
  setObjectName("PanBrdsParams");

  blockParams = new BlockParamsPanel(this);
  modem = new ModemPanel(this);
  termination = new TerminationPanel(this);
  tabsSL = termination->tabs;
  amplifier = new AmplifierPanel(this);
  emptyPanel = Named(new QWidget(this), "PanBrdEmpty");

  for (QWidget* w : {static_cast<QWidget*>(blockParams), static_cast<QWidget*>(modem), static_cast<QWidget*>(termination),
                     static_cast<QWidget*>(amplifier), emptyPanel}) addWidget(w);
  setCurrentWidget(blockParams);
}

void BoardPages::ShowSlot(int slot) {
  if (slot == 0) {
    setCurrentWidget(blockParams);
  } else if (slot == 4) {
    setCurrentWidget(modem);
  } else if (slot >= 1 && slot <= 3) {
    setCurrentWidget(termination);
  } else if (slot == 6 || slot == 8) {
    setCurrentWidget(amplifier);
  } else {
    setCurrentWidget(emptyPanel);
  }
}

void BoardPages::SetDebugPagesVisible(bool on) {
  modem->setDumpPageVisible(on);
  termination->loop->setVisible(on);
}

}  // namespace varnel::ui
