#include "board_pages.h"

#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "block_params_panel.h"
#include "modem_panel.h"
#include "widget_names.h"

namespace varnel::ui {

namespace {

QWidget* Page(QTabWidget* tabs, const char* name, const QString& caption) {
  auto* page = Named(new QWidget(tabs), name);
  tabs->addTab(page, caption);
  return page;
}

QGroupBox* BoardPanel(QWidget* parent, const char* name, const QString& caption) {
  auto* box = Named(new QGroupBox(caption, parent), name);
  new QVBoxLayout(box);
  return box;
}

}  // namespace

BoardPages::BoardPages(QWidget* parent) : QStackedWidget(parent) {
  setObjectName("PanBrdsParams");

  blockParams = new BlockParamsPanel(this);

  modem = new ModemPanel(this);

  panelSL = BoardPanel(this, "PanelSL", "СЛ-30");
  tabsSL = Named(new QTabWidget(panelSL), "TABS_SL");
  Page(tabsSL, "TabSL_Info", "  Настройки        ");
  Page(tabsSL, "TabSL_Stat", "  Состояние субканалов           ");
  panelSL->layout()->addWidget(tabsSL);

  panelAP = BoardPanel(this, "PanelAP", "ТР-40");
  emptyPanel = Named(new QWidget(this), "PanBrdEmpty");

  for (QWidget* w : {static_cast<QWidget*>(blockParams), static_cast<QWidget*>(modem), panelSL, panelAP, emptyPanel}) addWidget(w);
  setCurrentWidget(blockParams);
}

void BoardPages::ShowSlot(int slot) {
  if (slot == 0) {
    setCurrentWidget(blockParams);
  } else if (slot == 4) {
    setCurrentWidget(modem);
  } else if (slot >= 1 && slot <= 3) {
    setCurrentWidget(panelSL);
  } else if (slot == 6 || slot == 8) {
    setCurrentWidget(panelAP);
  } else {
    setCurrentWidget(emptyPanel);
  }
}

void BoardPages::SetDebugPagesVisible(bool on) { modem->setDumpPageVisible(on); }

}  // namespace varnel::ui
