// A termination board's flash end to end against the emulator: the
// configuration written (a bad address refused first), the window closed and
// opened again; update files that change under the program; a restart,
// declined and then made, that brings the new version.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "../../../core/firmware/qrb_generator.h"
#include "network_fixture.h"
#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/termination_panel.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

constexpr const char* kAddress = "127.0.0.212";

// One root with termination board 1 at version 2.3 (modules 7, 9, 13) that
// is back one second after a restart.
std::vector<sim::Network> OneBoard() {
  sim::NetworksBuilt built = sim::NetworksFromIni(
      "[root.r]\naddress=127.0.0.212\nid=1\nname=Flash\nsl_slots=1\nsl_restart_s=1\n");
  EXPECT_EQ(built.error, "");
  return std::move(built.networks);
}

class TerminationFlashTest : public NetworkTest {
 protected:
  TerminationFlashTest() : NetworkTest(OneBoard(), kAddress, 20212, 10) {
    sl = f.window->findChild<TerminationPanel*>("PanelSL");
  }
  TBRDS& Board() { return f.window->link().registry.device(1).board(1); }
  void SelectBoard() { NetworkTest::SelectBoard("ButBrd1", [&] { return sl->tabs->isVisible(); }); }
  // Opens the window by its button on the board page; in configuration mode
  // it has read the board's record when this returns.
  TerminationConfigWindow* Open(QPushButton* button) {
    button->click();
    auto* window = f.window->findChild<TerminationConfigWindow*>();
    EXPECT_NE(window, nullptr);
    if (window != nullptr && window->mode() == ConfigWindowMode::Configuration) {
      EXPECT_TRUE(WaitFor([&] { return Board().Flags8 == 1; }, 5000));
    }
    return window;
  }
  void Close(TerminationConfigWindow* window) {
    window->close();
    ASSERT_TRUE(WaitFor([&] { return f.window->findChild<TerminationConfigWindow*>() == nullptr; }));
  }
  template <typename W = QWidget>
  static W* Get(QWidget* window, const char* name) {
    W* w = window->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // The data of the emulator's last two answers to configuration reads: its flash at 0xE0000.
  sim::Bytes ConfigAsTheBoardGaveIt() {
    std::vector<sim::Bytes> answers;
    for (const auto& e : servers.ServerAt(0).Record()) {
      if (e.direction == sim::Direction::Sent && e.bytes.size() == 2 + 21 + 1 && e.bytes[1] == 0x51 &&
          e.bytes[2] == 0x10 && e.bytes[3] == 0x0E)
        answers.emplace_back(e.bytes.begin() + 6, e.bytes.end() - 2);
    }
    if (answers.size() < 2) return {};
    sim::Bytes config = answers[answers.size() - 2];
    config.insert(config.end(), answers.back().begin(), answers.back().end());
    return config;
  }
  // 512-byte write requests to board 1, payload without the checksum.
  std::vector<sim::Bytes> BlockWrites() {
    std::vector<sim::Bytes> writes;
    for (const auto& r : RequestsTo(0x05)) {
      if (r[0] == 0x10 && r.size() == 4 + 512 + 1) writes.push_back(r);
    }
    return writes;
  }
  QString SaveFile(const Bytes& bytes) { return WriteFile(f.dir.filePath("fw.qrb"), bytes); }

  TerminationPanel* sl = nullptr;
};

}  // namespace

TEST_F(TerminationFlashTest, WrittenSettingsAreWhatTheWindowShowsWhenOpenedAgain) {
  SelectBoard();
  TerminationConfigWindow* window = Open(sl->configure);
  ASSERT_NE(window, nullptr);
  const sim::Bytes before = ConfigAsTheBoardGaveIt();
  ASSERT_EQ(before.size(), 32u);

  // The operator's changes, each through its control.
  auto* codec = Get<QComboBox>(window, "cbG729rate");
  const int otherCodec = 1 - codec->currentIndex();
  codec->setCurrentIndex(otherCodec);
  emit codec->activated(otherCodec);
  auto* width = Get<QSpinBox>(window, "EditHDLC_W");
  width->setValue(1200);
  emit width->editingFinished();
  auto* rate = Get<QComboBox>(window, "cbRSRate");
  rate->setCurrentIndex(3);  // 19200
  emit rate->activated(3);
  Get<QLineEdit>(window, "EditIP")->setText("10.1.2.3");
  Get<QLineEdit>(window, "EditGW")->setText("10.1.2.1");
  QWidget* lock = Get(window, "ChLockMod1");
  QTest::mouseClick(lock, Qt::LeftButton, {}, QPoint(lock->height() / 2, lock->height() / 2));
  const TerminationConfigForm written = window->Form();
  ASSERT_TRUE(written.modules[0].locked);

  // An address that is no address stops the write before anything is sent.
  f.dialogs.answer = true;
  Get<QLineEdit>(window, "EditIP")->setText("10.1.2");
  Get<QPushButton>(window, "ButWRcfg")->click();
  ASSERT_EQ(f.dialogs.warnings.size(), 1);
  EXPECT_TRUE(f.dialogs.warnings.last().startsWith("Ошибка:\n")) << f.dialogs.warnings.last().toStdString();
  for (const auto& r : RequestsTo(0x05)) EXPECT_FALSE(r[0] == 0x10 && r.size() == 21) << "a write went out";
  Get<QLineEdit>(window, "EditIP")->setText("10.1.2.3");
  Get<QPushButton>(window, "ButWRcfg")->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Подтвердите запись");
  Close(window);

  window = Open(sl->configure);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Form(), written);
  // The flash as the board reads it back: the record as first read with
  // exactly the changed fields encoded, nothing else touched.
  sim::Bytes expected = before;
  expected[4] = 12;                                      // 1200 bit/s in hundreds
  expected[5] = static_cast<std::uint8_t>((before[5] & 0xF0) | 3);
  expected[6] = static_cast<std::uint8_t>(before[6] ^ 0x02);  // the codec bit
  expected[10] = static_cast<std::uint8_t>(before[10] & 0xFE);  // module 1 locked
  std::copy_n(sim::Bytes{10, 1, 2, 3}.begin(), 4, expected.begin() + 20);
  std::copy_n(sim::Bytes{10, 1, 2, 1}.begin(), 4, expected.begin() + 28);
  EXPECT_EQ(ConfigAsTheBoardGaveIt(), expected);
  Close(window);
}

TEST_F(TerminationFlashTest, AnUpdateFileChangedOrRemovedAfterItsCheckIsCaughtAtTheStart) {
  SelectBoard();
  TerminationConfigWindow* window = Open(sl->firmware);
  ASSERT_NE(window, nullptr);
  auto* status = Get<QLabel>(window, "LabStatus");
  auto* start = Get<QPushButton>(window, "ButFwStart");
  EXPECT_FALSE(start->isEnabled());  // no file yet
  const Bytes checked = varnel::testing::MakeQrb({.version = "215", .blocks = 2});
  f.dialogs.openName = SaveFile(checked);
  Get<QPushButton>(window, "ButOpenFileFW")->click();
  ASSERT_TRUE(start->isEnabled()) << status->text().toStdString();

  // Removed: nothing goes out and the start is refused.
  QFile::remove(f.dialogs.openName);
  start->click();
  EXPECT_EQ(status->text(), "Нет доступа к файлу.");
  EXPECT_FALSE(start->isEnabled());
  // Back and chosen again, then one data byte changed after the check.
  auto choose = [&] {
    Get<QPushButton>(window, "ButOpenFileFW")->click();
    ASSERT_TRUE(start->isEnabled()) << status->text().toStdString();
  };
  SaveFile(checked);
  choose();
  Bytes changed = checked;
  changed[20 + 600] ^= 0x40;
  SaveFile(changed);
  start->click();
  EXPECT_EQ(status->text(), "Контрольная сумма не совпадает.");
  EXPECT_TRUE(BlockWrites().empty());

  // A sound file replaced by another sound one is written as it is at the
  // start, and a change once the writing runs reaches the board no more.
  SaveFile(checked);
  choose();
  const Bytes atStart = varnel::testing::MakeQrb({.version = "216", .blocks = 3});
  SaveFile(atStart);
  QTimer::singleShot(30, [&] { SaveFile(varnel::testing::MakeQrb({.version = "217", .blocks = 3, .crc = 0x1234})); });
  start->click();
  EXPECT_TRUE(status->text().endsWith("Блоков:3x512 CRC OK"));
  const std::vector<sim::Bytes> writes = BlockWrites();
  ASSERT_EQ(writes.size(), 4u);
  for (std::size_t b = 0; b < 3; ++b) {
    EXPECT_TRUE(std::equal(writes[b].begin() + 4, writes[b].end() - 1, atStart.begin() + 20 + b * 512)) << b;
  }
  EXPECT_EQ(sim::Bytes(writes[3].begin() + 4, writes[3].begin() + 14),
            (sim::Bytes{'2', '1', '6', 0, 0, 3, 0, 0, atStart[18], atStart[19]}));
  Close(window);
}

TEST_F(TerminationFlashTest, ARestartedBoardComesBackWithTheVersionWritten) {
  SelectBoard();
  EXPECT_TRUE(sl->version->text().startsWith("Плата СЛ   v.2.3    №"));
  TerminationConfigWindow* window = Open(sl->firmware);
  ASSERT_NE(window, nullptr);
  f.dialogs.openName = SaveFile(varnel::testing::MakeQrb({.version = "215", .blocks = 2}));
  Get<QPushButton>(window, "ButOpenFileFW")->click();
  Get<QPushButton>(window, "ButFwStart")->click();
  ASSERT_EQ(BlockWrites().size(), 3u);

  // Restarting asks first; declined, nothing goes out.
  f.dialogs.answer = false;
  Get<QPushButton>(window, "ButRST")->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Отправить команду перезапуска?");
  QTest::qWait(100);
  EXPECT_NE(RequestsTo(0x05).back(), sim::Bytes{0x04});
  f.dialogs.answer = true;
  Get<QPushButton>(window, "ButRST")->click();
  ASSERT_TRUE(WaitFor([&] { return RequestsTo(0x05).back() == sim::Bytes{0x04}; }));
  Close(window);
  // Silent for a second, then the board reports the version of the image.
  const bool back = WaitFor(
      [&] {
        Press("ButRD");
        return WaitFor([&] { return Board().Ver2 == 15; }, 300);
      },
      6000);
  EXPECT_TRUE(back);
  EXPECT_EQ(std::pair(int{Board().Ver1}, int{Board().Ver2}), std::pair(2, 15));
  EXPECT_TRUE(sl->version->text().startsWith("Плата СЛ   v.2.15    №"));
}
