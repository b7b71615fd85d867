#include "ui/boards/termination/termination_panel.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "boards/termination/subchannel_view.h"
#include "boards/termination/termination_settings_view.h"
#include "ui/boards/termination/subchannel_diagram.h"
#include "ui/widgets/indicator.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

QFont Monospaced() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  return font;
}

}  // namespace

TerminationPanel::TerminationPanel(QWidget* parent) : QGroupBox("СЛ-30", parent) {
  setObjectName("PanelSL");
  auto* column = new QVBoxLayout(this);
  tabs = Named(new QTabWidget(this), "TABS_SL");
  tabs->setDocumentMode(true);  // button-like tabs
  tabs->addTab(BuildInfoPage(), "  Настройки        ");
  tabs->addTab(BuildStatePage(), "  Состояние субканалов           ");
  column->addWidget(tabs);
  tabs->hide();  // until the board has identified itself
}

QWidget* TerminationPanel::BuildInfoPage() {
  auto* page = Named(new QWidget(tabs), "TabSL_Info");
  auto* column = new QVBoxLayout(page);
  version = Named(new QLabel(page), "LabVerSL");
  column->addWidget(version);

  auto* mods = Named(new QGroupBox("Модули", page), "SLPanelMODs");
  modules = Named(new QLabel(mods), "LabModsSL");
  modules->setFont(Monospaced());
  (new QVBoxLayout(mods))->addWidget(modules);
  column->addWidget(mods);

  auto* dats = Named(new QGroupBox("Контакты сигнализации СК", page), "SLPanelDats");
  auto* datsRow = new QGridLayout(dats);
  input = Named(new Indicator(dats), "shDat");
  output = Named(new Indicator(dats), "shREL");
  for (auto* i : {input, output}) i->setFixedSize(16, 16);
  datsRow->addWidget(input, 0, 0);
  datsRow->addWidget(new QLabel("Вход", dats), 0, 1);
  datsRow->addWidget(output, 1, 0);
  datsRow->addWidget(new QLabel("Выход", dats), 1, 1);
  datsRow->setColumnStretch(2, 1);
  contacts = dats;
  column->addWidget(dats);

  auto* buttons = new QHBoxLayout;
  configure = Named(new QPushButton("Конфигурация", page), "ButCFG_SL");
  firmware = Named(new QPushButton("ПО", page), "ButSL_FW");
  buttons->addWidget(configure);
  buttons->addWidget(firmware);
  buttons->addStretch(1);
  column->addLayout(buttons);
  column->addStretch(1);
  return page;
}

QWidget* TerminationPanel::BuildStatePage() {
  auto* page = Named(new QWidget(tabs), "TabSL_Stat");
  auto* column = new QVBoxLayout(page);

  digital = Named(new QGroupBox("Цифровой режим", page), "PanSL_dig");
  auto* digitalColumn = new QVBoxLayout(digital);
  bars = new SubchannelDiagram;
  auto* scroll = new QScrollArea(digital);
  scroll->setWidget(bars);
  scroll->setWidgetResizable(false);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setMinimumHeight(bars->minimumHeight() + 20);
  digitalColumn->addWidget(scroll);
  counters = Named(new QLabel("Счётчики:  ???", digital), "LabRateSL");
  counters->setFont(Monospaced());
  counters->setTextInteractionFlags(Qt::TextSelectableByMouse);
  digitalColumn->addWidget(counters);
  auto* buttons = new QHBoxLayout;
  clear = Named(new QPushButton("Сбросить счетчики", digital), "ButSLClear");
  loop = Named(new QPushButton("SLшлейф", digital), "ButSLloop");
  loop->setToolTip("0-норм. 1-шлейф канал1<->2, канал 3-3, 2-синус  (только если канал не активен ActCh)");
  loop->hide();  // debug mode only
  buttons->addWidget(clear);
  buttons->addWidget(loop);
  buttons->addStretch(1);
  digitalColumn->addLayout(buttons);
  column->addWidget(digital);

  analog = Named(new QGroupBox("Аналоговый режим", page), "PanSL_An");
  analogLevel = Named(new QLabel("уровень", analog), "LabAnalog");
  (new QVBoxLayout(analog))->addWidget(analogLevel);
  analog->hide();
  column->addWidget(analog);
  column->addStretch(1);
  return page;
}

void TerminationPanel::ShowBoardInfo(const TBRDS& board) {
  const TerminationSettingsView view = ComputeTerminationSettings(board);
  tabs->setVisible(view.pagesVisible);
  version->setText(Q(view.version));
  modules->setText(Display(view.modules));
  contacts->setVisible(view.contactsVisible);
  input->setColour(view.inputColour);
  output->setColour(view.outputColour);
}

void TerminationPanel::ShowSubchannelState(const SubchannelState& state, const std::string& text) {
  digital->show();
  analog->hide();
  bars->Show(ComputeSubchannelView(state));
  counters->setText(Display(text));
}

void TerminationPanel::ShowAnalogLevel(const std::string& text) {
  analog->show();
  digital->hide();
  analogLevel->setText(Q(text));
}

void TerminationPanel::ShowLoopState(const std::string& caption) { loop->setText(Q(caption)); }

void TerminationPanel::Reset() { counters->setText("--"); }

}  // namespace varnel::ui
