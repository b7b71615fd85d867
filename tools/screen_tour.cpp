// Drives the real main window against the emulator and saves screenshots of
// the pages, so that a developer can look at them: screen_tour OUTDIR
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/decimal_edit.h"

namespace {

void Wait(int ms, const std::function<bool()>& done = [] { return false; }) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms && !done()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? argv[1] : ".";
  const char* address = "127.0.0.90";
  QFile file(QString(VARNEL_SIM_SCENARIO_DIR) + "/small.ini");
  file.open(QIODevice::ReadOnly);
  const QString text = QString::fromUtf8(file.readAll()).replace("address=127.0.0.1", QString("address=") + address);
  varnel::sim::NetworksBuilt built = varnel::sim::NetworksFromIni(text.toStdString());
  varnel::sim::NetworkServers servers(std::move(built.networks));
  if (!servers.Start().empty()) return 1;

  QTemporaryDir dir;
  QFile ini(dir.filePath("tour.ini"));
  ini.open(QIODevice::WriteOnly);
  ini.write(QString("[NET]\r\nIP=%1\r\nSRVPORT=23990\r\n[COMMON]\r\nAUTOFIND=40\r\n").arg(address).toLatin1());
  ini.close();
  varnel::ui::MainWindowOptions options;
  options.settingsPath = ini.fileName();
  options.commonIntervalMs = 10;
  varnel::ui::MainWindow window(options);
  window.show();
  Wait(4000, [&] { return window.program().exploration.autoState() >= 15; });
  Wait(500);
  auto* tree = window.findChild<QTreeWidget*>("DevTree");
  tree->setCurrentItem(tree->topLevelItem(0));
  window.DevTreeClick(1, 0);
  Wait(500);
  window.grab().save(out + "/tour_block.png");

  window.findChild<QPushButton*>("ButBrd4")->click();
  Wait(800);
  auto* modem = window.findChild<varnel::ui::ModemPanel*>("PanelVK");
  modem->tabs->setCurrentIndex(varnel::ui::ModemPanel::kChannels);
  Wait(1500);
  window.grab().save(out + "/tour_modem_channels.png");
  modem->tabs->setCurrentIndex(varnel::ui::ModemPanel::kConfig);
  Wait(1000);
  modem->config->txLevel->setText("-2,5");      // off the 0,4 grid
  modem->config->rxLevel->setText("abc");       // not a number
  modem->config->agc->setText("-60");           // out of range
  modem->config->channels[0].rateMin->setText("12,9");  // off the 0,2 grid
  Wait(300);
  window.grab().save(out + "/tour_modem_config.png");
  // The event log, every row read, the clock group open.
  modem->tabs->setCurrentIndex(varnel::ui::ModemPanel::kLog);
  Wait(1000);
  window.findChild<QPushButton*>("ButVKLogALL")->click();
  Wait(2000);
  window.findChild<QPushButton*>("ButVKClock")->click();
  window.findChild<QPushButton*>("ButRD")->click();
  Wait(800);
  window.grab().save(out + "/tour_modem_log.png");
  for (int slot : {1, 2, 6, 8}) {
    window.findChild<QPushButton*>(QString("ButBrd%1").arg(slot))->click();
    Wait(1200);
    auto* tabs = window.findChild<QTabWidget*>("TABS_SL");
    if (slot <= 3 && tabs != nullptr) {
      tabs->setCurrentIndex(1);
      Wait(1200);
    }
    window.grab().save(out + QString("/tour_slot%1.png").arg(slot));
  }
  return 0;
}
