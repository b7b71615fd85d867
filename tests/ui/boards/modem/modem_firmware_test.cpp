// The modem board's firmware page end to end: program files written into
// the emulated board over loopback and compared with what it received, the
// restart that runs them, and what a bad file or a board ending the
// transfer shows.
#include <algorithm>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "network_fixture.h"
#include "ui/boards/modem/firmware_window.h"
#include "ui/boards/modem/modem_panel.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

QByteArray Pattern(qsizetype n, int seed) {
  QByteArray b(n, Qt::Uninitialized);
  for (qsizetype i = 0; i < n; ++i) b[i] = static_cast<char>((i * 31 + i / 256 + seed) & 0xFF);
  return b;
}

class ModemFirmwareTest : public NetworkTest {
 protected:
  ModemFirmwareTest(const char* address, int port, const QString& keys)
      : NetworkTest(address, port, 100, keys) {
    panel = f.window->findChild<ModemPanel*>("PanelVK");
  }
  void OpenFirmwarePage() {
    SelectBoard("ButBrd4", [&] { return panel->version->text() == "Версия программы MCU:12  FPGA:3"; });
    panel->tabs->setCurrentIndex(ModemPanel::kFirmware);
  }
  // Chooses the kind and the file through the page's own dialog button.
  void Choose(int kind, const QString& path) {
    f.window->findChild<QComboBox*>("cbFwCpuFpga")->setCurrentIndex(kind);
    f.dialogs.openName = path;
    Press("ButOpenFileVK");
  }
  // Presses "Старт"; while the progress window runs, look() sees it every
  // 20 ms and may close it. Returns when the window has closed.
  void Start(const std::function<void(ModemFirmwareWindow&)>& look = {}) {
    QTimer watch;
    QElapsedTimer running;
    running.start();
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* window = f.window->findChild<ModemFirmwareWindow*>("TFrwVK");
      if (window == nullptr || !window->isVisible()) return;
      if (look) look(*window);
      if (running.elapsed() > 60000) window->reject();  // never hang the suite
    });
    watch.start(20);
    Press("ButVKFwStart");
  }
  std::vector<sim::Bytes> ProgramRequests() {
    std::vector<sim::Bytes> out;
    for (const auto& p : RequestsTo(0x04)) {
      if (p[0] == 0x02 || p[0] == 0x03) out.push_back(p);
    }
    return out;
  }

  ModemPanel* panel = nullptr;
};

QTemporaryDir& ReceivedDir() {
  static QTemporaryDir dir;
  return dir;
}

class ModemFirmwareWriteTest : public ModemFirmwareTest {
 protected:
  ModemFirmwareWriteTest()
      : ModemFirmwareTest("127.0.0.220", 20220,
                          "modem_restart_s=1\nmodem_fw_save=" + ReceivedDir().filePath("board") + "\n") {}
};

}  // namespace

TEST_F(ModemFirmwareWriteTest, ImagesArriveByteForByteAndRunAfterTheRestart) {
  OpenFirmwarePage();
  // The largest file taken (2 MiB less one byte) and a small FPGA image.
  const QByteArray mcu = Pattern(2'097'151, 1), fpga = Pattern(600, 2);
  const QString mcuPath = WriteFile(f.dir.filePath("main.cbi"), mcu);
  const QString fpgaPath = WriteFile(f.dir.filePath("logic.lbi"), fpga);

  Choose(0, mcuPath);
  EXPECT_EQ(f.dialogs.openFilter, "Файлы программы MCU (*.cbi)");
  EXPECT_EQ(f.window->findChild<QLineEdit*>("EditFileNameVK")->text(), mcuPath);
  QString shownDuring, captionDuring;
  Start([&](ModemFirmwareWindow& w) {
    if (w.progress->text().startsWith("Запись блока ")) {
      shownDuring = w.progress->text();
      captionDuring = w.windowTitle();
    }
  });
  EXPECT_EQ(f.dialogs.confirmations.last(), "Будет произведена запись ПО в плату. Продолжить?");
  EXPECT_TRUE(shownDuring.contains("/8192")) << shownDuring.toStdString();
  EXPECT_EQ(captionDuring, "Запись программы MCU");
  EXPECT_TRUE(f.window->program().modemFirmware.finished());
  EXPECT_TRUE(f.memoHas("Размер: 2097151"));
  EXPECT_TRUE(ReadFile(ReceivedDir().filePath("board.mcu")) == mcu);

  Choose(1, fpgaPath);
  EXPECT_EQ(f.dialogs.openFilter, "Файлы программы FPGA (*.lbi)");
  Start();
  EXPECT_TRUE(ReadFile(ReceivedDir().filePath("board.fpga")) == fpga);
  // Switching the kind back shows the MCU path stored.
  f.window->findChild<QComboBox*>("cbFwCpuFpga")->setCurrentIndex(0);
  EXPECT_EQ(f.window->findChild<QLineEdit*>("EditFileNameVK")->text(), mcuPath);

  // Restart: asked first, silent for a second, then the new versions.
  f.dialogs.answer = false;
  // The emulator keeps recent traffic only, so count restart requests rather than compare whole lists.
  const auto restarts = [&] {
    const std::vector<sim::Bytes> requests = RequestsTo(0x04);
    return std::count(requests.begin(), requests.end(), sim::Bytes{0x04});
  };
  Press("ButRstVK");
  EXPECT_EQ(f.dialogs.confirmations.last(), "Отправить команду перезапуска?");
  QTest::qWait(100);
  EXPECT_EQ(restarts(), 0);  // declined: nothing sent
  f.dialogs.answer = true;
  Press("ButRstVK");
  EXPECT_TRUE(WaitFor([&] { return RequestsTo(0x04).back() == sim::Bytes{0x04}; }));
  QTest::qWait(1100);
  Press("ButVerVK");
  EXPECT_TRUE(WaitFor([&] { return panel->version->text() == "Версия программы MCU:13  FPGA:4"; }))
      << panel->version->text().toStdString();
}

TEST_F(ModemFirmwareWriteTest, BadFilesAreRefusedBeforeAnythingIsSent) {
  OpenFirmwarePage();
  const QString missing = f.dir.filePath("missing.cbi");
  Choose(0, missing);
  EXPECT_EQ(f.dialogs.warnings.last(), "Файл не найден: " + missing);
  Start();
  EXPECT_EQ(f.dialogs.warnings.last(), "Файл не найден или нет доступа.");
  // Declined: not even the file is looked at.
  const qsizetype warnings = f.dialogs.warnings.size();
  f.dialogs.answer = false;
  Start();
  EXPECT_EQ(f.dialogs.warnings.size(), warnings);
  EXPECT_TRUE(ProgramRequests().empty());
}

namespace {

class ModemFirmwareBrokenTest : public ModemFirmwareTest {
 protected:
  ModemFirmwareBrokenTest() : ModemFirmwareTest("127.0.0.221", 20221, "modem_fw_break=2\n") {}
};

}  // namespace

TEST_F(ModemFirmwareBrokenTest, SequenceBrokenStopsTheTransfer) {
  OpenFirmwarePage();
  Choose(0, WriteFile(f.dir.filePath("a.cbi"), Pattern(2000, 4)));
  QString shown, closeCaption;
  Start([&](ModemFirmwareWindow& w) {
    if (!w.progress->text().startsWith("Ошибка")) return;
    shown = w.progress->text();
    closeCaption = w.close->text();
    w.close->click();
  });
  EXPECT_EQ(shown, "Ошибка: нарушена последовательность блоков.\nОстановлено.");
  EXPECT_EQ(closeCaption, "Закрыть");
  EXPECT_EQ(ProgramRequests().size(), 4u);  // start, blocks 0, 1, 2
  EXPECT_FALSE(f.window->program().modemFirmware.active());
}
