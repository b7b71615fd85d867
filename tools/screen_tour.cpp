// Drives the real main window against the emulator and saves screenshots of
// the pages, for a developer to look at and for the user manual:
//   screen_tour OUTDIR [ADDRESS [PORT]]
// ADDRESS is the emulator's loopback address, PORT the program's local port.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
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
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/decimal_edit.h"

namespace {

void Wait(int ms, const std::function<bool()>& done = [] { return false; }) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms && !done()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// No box may stop the tour: questions are declined, messages dropped.
class QuietDialogs : public varnel::ui::Dialogs {
 public:
  void warning(QWidget*, const QString&) override {}
  bool confirm(QWidget*, const QString&) override { return false; }
  void information(QWidget*, const QString&) override {}
  bool askPassword(QWidget*, const QString&, const QString&, QString& entry) override {
    entry.clear();  // no password is set in the tour's settings
    return true;
  }
};

QWidget* Shown(QWidget& main, const char* name) {
  auto* w = main.findChild<QWidget*>(name);
  return w != nullptr && w->isVisible() ? w : nullptr;
}

// The board's window opened by its button, saved once it settled, closed.
void TerminationWindowShot(QWidget& main, const char* button, const QString& file) {
  main.findChild<QPushButton*>(button)->click();
  Wait(3000, [&] {
    QWidget* w = Shown(main, "FSL");
    auto* ip = w != nullptr ? w->findChild<QLineEdit*>("EditIP") : nullptr;
    return w != nullptr && (!ip->isVisible() || !ip->text().isEmpty());
  });
  Wait(300);
  if (QWidget* w = Shown(main, "FSL")) {
    w->grab().save(file);
    w->close();
  }
  Wait(300);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? argv[1] : ".";
  const QByteArray addressArg = argc > 2 ? QByteArray(argv[2]) : QByteArray("127.0.0.90");
  const char* address = addressArg.constData();
  const int port = argc > 3 ? QString(argv[3]).toInt() : 23990;
  QFile file(QString(VARNEL_SIM_SCENARIO_DIR) + "/small.ini");
  file.open(QIODevice::ReadOnly);
  const QString text = QString::fromUtf8(file.readAll()).replace("address=127.0.0.1", QString("address=") + address);
  varnel::sim::NetworksBuilt built = varnel::sim::NetworksFromIni(text.toStdString());
  varnel::sim::NetworkServers servers(std::move(built.networks));
  if (!servers.Start().empty()) return 1;

  QTemporaryDir dir;
  QFile ini(dir.filePath("tour.ini"));
  ini.open(QIODevice::WriteOnly);
  ini.write(QString("[NET]\r\nIP=%1\r\nSRVPORT=%2\r\n[COMMON]\r\nAUTOFIND=40\r\n").arg(address).arg(port).toLatin1());
  ini.close();
  varnel::ui::MainWindowOptions options;
  options.settingsPath = ini.fileName();
  options.commonIntervalMs = 10;
  QuietDialogs quiet;
  options.dialogs = &quiet;
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

  window.findChild<QPushButton*>("ButBrd4")->click();
  Wait(800);
  modem->tabs->setCurrentIndex(varnel::ui::ModemPanel::kFirmware);
  Wait(500);
  window.grab().save(out + "/tour_modem_firmware.png");

  window.findChild<QPushButton*>("ButBrd1")->click();
  Wait(1200);
  TerminationWindowShot(window, "ButCFG_SL", out + "/tour_sl_config.png");
  TerminationWindowShot(window, "ButSL_FW", out + "/tour_sl_firmware.png");

  // The about window is modal: saved and closed from inside its own loop.
  QTimer::singleShot(500, [&] {
    if (QWidget* about = QApplication::activeModalWidget()) {
      about->grab().save(out + "/tour_about.png");
      about->close();
    }
  });
  window.findChild<QPushButton*>("ButHelp")->click();

  // User mode: the writing controls greyed out.
  window.ButUSRClick();
  Wait(300);
  window.grab().save(out + "/tour_user_mode.png");
  window.ButUSRClick();

  // Debug mode: the trace of every datagram under the pages.
  window.setDebugMode(true);
  window.findChild<QPushButton*>("ButRD")->click();
  Wait(1500);
  window.grab().save(out + "/tour_debug.png");
  return 0;
}
