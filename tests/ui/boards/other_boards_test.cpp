// Termination boards, amplifiers and the power board end to end: each read
// goes out, the emulated board answers, the page fills in; writes ask first.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "network_fixture.h"
#include "ui/boards/amplifier/amplifier_panel.h"
#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/termination_panel.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

class OtherBoardsTest : public NetworkTest {
 protected:
  // A fast common timer: a "second" passes in 0.1 s.
  OtherBoardsTest() : NetworkTest("127.0.0.185", 23810, 10) {
    sl = f.window->findChild<TerminationPanel*>("PanelSL");
    ap = f.window->findChild<AmplifierPanel*>("PanelAP");
  }
  TerminationPanel* sl = nullptr;
  AmplifierPanel* ap = nullptr;
};

}  // namespace

TEST_F(OtherBoardsTest, DigitalTerminationBoardSettingsStateAutoReadResetAndLoop) {
  SelectBoard("ButBrd1", [&] { return sl->tabs->isVisible(); });
  EXPECT_EQ(CommandsTo(0x05), std::vector<int>{0x01});
  EXPECT_TRUE(sl->version->text().startsWith("Плата СЛ   v.2.3    №"));
  EXPECT_TRUE(sl->version->text().contains("  Время работы: "));
  EXPECT_TRUE(sl->modules->text().startsWith("[1]   [2]   [3]\n"));
  EXPECT_TRUE(sl->contacts->isVisible());

  sl->tabs->setCurrentIndex(1);  // subchannel state: read 02
  ASSERT_TRUE(WaitFor([&] { return sl->counters->text().startsWith("ETH/IP"); }));
  EXPECT_EQ(CommandsTo(0x05), (std::vector<int>{0x01, 0x02}));
  EXPECT_TRUE(sl->digital->isVisible());
  EXPECT_TRUE(sl->counters->text().contains("PoE: U=48В  I=250мА  P=12,00Вт"));
  auto bar = [&](const char* name) { return f.window->findChild<QFrame*>(name); };
  EXPECT_TRUE(bar("shVoicetx")->isVisible());
  EXPECT_TRUE(bar("shVoicetx2")->isVisible());
  // Voice 2 is chained to the right edge of voice 1.
  EXPECT_EQ(bar("shVoicetx2")->x(), bar("shVoicetx")->x() + bar("shVoicetx")->width() - 1);

  // Automatic reading keeps the page current at the chosen period.
  auto* box = f.window->findChild<QCheckBox*>("ChAutoRD");
  ASSERT_TRUE(box->isVisible());
  f.window->findChild<QSpinBox*>("EditAutoRefr")->setValue(1);
  box->setChecked(true);
  const std::size_t before = CommandsTo(0x05).size();
  ASSERT_TRUE(WaitFor([&] { return CommandsTo(0x05).size() >= before + 3; }, 3000));

  // Resetting the counters is a write: confirmed, then 02 00. No automatic
  // read goes out while the question is open; reading resumes afterwards.
  std::size_t sent = 0;
  f.dialogs.answer = true;
  f.dialogs.whileAsking = [&] {
    QTest::qWait(150);
    sent = RequestsTo(0x05).size();
    QTest::qWait(400);  // four "seconds" of the fast timer
    EXPECT_EQ(RequestsTo(0x05).size(), sent);
  };
  RecordStatuses();
  sl->clear->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Подтвердите запись");
  ASSERT_TRUE(WaitFor([&] { return RequestsTo(0x05).size() >= sent + 1; }));
  EXPECT_EQ(RequestsTo(0x05)[sent], (sim::Bytes{0x02, 0x00}));
  EXPECT_TRUE(WaitFor([&] { return StatusShownEnding(" Команда записи исполнена"); }))
      << statusesShown.join(" | ").toStdString();
  EXPECT_EQ(f.window->autoReadPeriod(), 1);
  box->setChecked(false);
  f.dialogs.whileAsking = nullptr;

  // The loop button (shown in debug mode) asks nothing.
  f.window->setDebugMode(true);
  sl->loop->click();
  ASSERT_TRUE(WaitFor([&] { return sl->loop->text() == "SLloop=1"; }));
  EXPECT_EQ(RequestsTo(0x05).back(), (sim::Bytes{0x07, 0x55}));
  EXPECT_EQ(f.dialogs.confirmations.size(), 1);
}

// The board's modules (7, 9, 13) on firmware 2.3, its state page analog.
TEST_F(OtherBoardsTest, AnalogTerminationBoardAndTheButtonsOpeningItsWindowInTheirModes) {
  SelectBoard("ButBrd2", [&] { return sl->tabs->isVisible(); });
  sl->tabs->setCurrentIndex(1);
  ASSERT_TRUE(WaitFor([&] { return sl->analog->isVisible(); }));
  EXPECT_FALSE(sl->digital->isVisible());
  EXPECT_EQ(sl->analogLevel->text(), "-");
  EXPECT_EQ(CommandsTo(0x06), (std::vector<int>{0x01, 0x02}));

  TBRDS& board = f.window->link().registry.device(1).board(2);
  board.Flags8 = 1;
  sl->configure->click();
  auto* window = f.window->findChild<TerminationConfigWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Конфигурация СЛ30");
  EXPECT_TRUE(window->isVisible() && window->isModal());
  EXPECT_EQ(board.Flags8, 0);  // read again before a write
  EXPECT_EQ(window->findChild<QLabel*>("LabMod1")->text(), "  [1]  FO   ");
  EXPECT_EQ(window->findChild<QLabel*>("LabMod3")->text(), "  [3]  4W01 ");
  EXPECT_TRUE(f.dialogs.warnings.isEmpty());
  window->close();
  ASSERT_TRUE(WaitFor([&] { return f.window->findChild<TerminationConfigWindow*>() == nullptr; }));

  sl->firmware->click();
  window = f.window->findChild<TerminationConfigWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Обновление ПО СЛ30");
  EXPECT_EQ(window->mode(), ConfigWindowMode::Firmware);
  window->close();
}

TEST_F(OtherBoardsTest, AmplifierAlarmsAndAMaskWrite) {
  SelectBoard("ButBrd6", [&] { return ap->parameters->isVisible(); });
  const QString info = ap->info->text();
  EXPECT_TRUE(info.startsWith("Версия ПО: 8\n Аварии: \n    -Обрыв линии (A1)\n    -Высокая температура (A4)\n"))
      << info.toStdString();
  EXPECT_TRUE(ap->masks->isVisible());
  EXPECT_FALSE(ap->maskA1->isChecked());
  EXPECT_TRUE(ap->two->isChecked());

  ap->maskA1->setChecked(true);  // mask the line alarm
  f.dialogs.answer = true;
  Press("ButWR");
  // Two amplifiers (bit 0), A1 masked (bit 1 clear), A3 and A4 not (bits 3, 4).
  ASSERT_TRUE(WaitFor([&] { return RequestsTo(0x0A).size() == 2; }));
  EXPECT_EQ(RequestsTo(0x0A).back(), (sim::Bytes{0x01, 0x19}));
  ASSERT_TRUE(WaitFor([&] { return StatusEnds(" Команда записи исполнена"); }));
  EXPECT_TRUE(ap->maskA1->isChecked());  // as the board now reports

  Press("ButBrd8");  // version 6: no masks
  ASSERT_TRUE(WaitFor([&] { return CommandsTo(0x0C).size() == 1 && ap->parameters->isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return ap->info->text().startsWith("Версия ПО: 6"); }));
  EXPECT_FALSE(ap->masks->isVisible());
}

TEST_F(OtherBoardsTest, PowerBoardReadsAndWrites) {
  SelectBoard("ButBrd10", [&] { return StatusEnds(" Команда чтения исполнена"); });
  EXPECT_EQ(RequestsTo(0x0E), std::vector<sim::Bytes>{sim::Bytes{0x01}});
  f.dialogs.answer = false;
  Press("ButWR");
  QTest::qWait(100);
  EXPECT_EQ(RequestsTo(0x0E).size(), 1u);
  f.dialogs.answer = true;
  Press("ButWR");
  ASSERT_TRUE(WaitFor([&] { return RequestsTo(0x0E).size() == 2; }));
  EXPECT_EQ(RequestsTo(0x0E).back(), (sim::Bytes{0x01, 0x00}));
}

TEST_F(OtherBoardsTest, TheWriteButtonIsOfferedOnlyWhereABoardTakesWrites) {
  OpenRoot();
  auto* write = f.window->findChild<QPushButton*>("ButWR");
  EXPECT_FALSE(write->isHidden());  // the block's attributes and network settings
  for (int slot : {1, 2, 3, 6, 8, 10}) {
    Press(QString("ButBrd%1").arg(slot));
    EXPECT_EQ(write->isHidden(), slot <= 3) << slot;
  }
  // The modem board takes writes on its configuration page alone.
  Press("ButBrd4");
  auto* modem = f.window->findChild<QTabWidget*>("TabsVK");
  ASSERT_TRUE(WaitFor([&] { return modem->isVisible(); }));
  for (int page : {1, 2, 3, 4}) {
    modem->setCurrentIndex(page);
    EXPECT_EQ(write->isHidden(), page != 1) << page;
  }
}
