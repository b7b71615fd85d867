#include "ui/boards/modem/modem_panel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/boards/modem/channel_page.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/firmware_page.h"
#include "ui/boards/modem/log_page.h"
#include "ui/widgets/names.h"

namespace varnel::ui {

namespace {

QWidget* DumpPage(QWidget* parent, QLineEdit*& address, QLineEdit*& length) {
  auto* page = Named(new QWidget(parent), "TabVKdump");
  auto* column = new QVBoxLayout(page);
  column->addWidget(new QLabel("Адрес:            длина:", page));
  auto* row = new QHBoxLayout;
  address = Named(new QLineEdit("000F", page), "EditVKaddr");
  length = Named(new QLineEdit("10", page), "EditVKlen");
  for (auto* e : {address, length}) e->setFixedWidth(80);
  row->addWidget(address);
  row->addWidget(length);
  row->addStretch(1);
  column->addLayout(row);
  column->addStretch(1);
  return page;
}

}  // namespace

ModemPanel::ModemPanel(QWidget* parent) : QGroupBox("ВК-20", parent) {
  setObjectName("PanelVK");
  auto* column = new QVBoxLayout(this);
  tabs = Named(new QTabWidget(this), "TabsVK");
  config = new ModemConfigPage(tabs);
  channels = new ModemChannelPage(tabs);
  log = new ModemLogPage(tabs);
  firmware = new ModemFirmwarePage(tabs);
  version = firmware->version;
  readVersion = firmware->readVersion;
  tabs->addTab(DumpPage(tabs, dumpAddress, dumpLength), "Дамп");
  tabs->addTab(config, "Конфигурирование");
  tabs->addTab(channels, "Работа каналов");
  tabs->addTab(log, "Журнал");
  tabs->addTab(firmware, "Обновление ПО");
  showPageQuietly(kConfig);
  setDumpPageVisible(false);
  column->addWidget(tabs);
  connect(tabs, &QTabWidget::currentChanged, this, &ModemPanel::pageChanged);
}

ModemPanel::Page ModemPanel::page() const { return static_cast<Page>(tabs->currentIndex()); }

void ModemPanel::showPageQuietly(Page page) {
  const QSignalBlocker quiet(tabs);
  tabs->setCurrentIndex(page);
}

void ModemPanel::setDumpPageVisible(bool on) { tabs->setTabVisible(kDump, on); }

}  // namespace varnel::ui
