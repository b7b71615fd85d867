// The modem board end to end: the emulated block's modem answers the
// program's reads and writes over loopback, and the pages show it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QScreen>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

#include "boards/modem/modem_editors.h"
#include "network_fixture.h"
#include "ui/boards/modem/channel_page.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/widgets/decimal_edit.h"
#include "ui/widgets/indicator.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

class ModemBoardTest : public NetworkTest {
 protected:
  ModemBoardTest() : NetworkTest("127.0.0.180", 23710) { panel = f.window->findChild<ModemPanel*>("PanelVK"); }
  void OpenModem() { SelectBoard("ButBrd4", [&] { return panel->tabs->isVisible(); }); }
  std::vector<int> ModemCommands() { return CommandsTo(0x04); }

  ModemPanel* panel = nullptr;
};

}  // namespace

TEST_F(ModemBoardTest, VersionsThenChannelStatesThenConfigurationRoundTrip) {
  OpenModem();
  // Not identified yet: the read button offers to open the board and the
  // version request goes out by itself.
  ASSERT_TRUE(WaitFor([&] { return panel->version->text() == "Версия программы MCU:12  FPGA:3"; }));
  EXPECT_EQ(ModemCommands(), std::vector<int>{0x01});
  EXPECT_EQ(f.window->findChild<QPushButton*>("ButRD")->text(), "Чтение");
  EXPECT_TRUE(StatusEnds(" Команда чтения исполнена"));

  panel->tabs->setCurrentIndex(ModemPanel::kChannels);
  ASSERT_TRUE(WaitFor([&] { return ModemCommands().size() == 7; }));
  EXPECT_EQ(ModemCommands(), (std::vector<int>{0x01, 0x15, 0x16, 0x17, 0x11, 0x12, 0x13}));
  const auto& cols = panel->channels->columns;
  // The root of the small network: channel 1 digital master, 2 transit, 3 analog.
  ASSERT_TRUE(WaitFor([&] { return cols[0].values[2]->text() == "цифр.ведущий"; }));
  EXPECT_EQ(cols[0].values[0]->text(), "приём данных");
  EXPECT_EQ(cols[0].state->colour(), 0x00FF00u);
  EXPECT_TRUE(cols[0].values[6]->text().endsWith(" кбит/с"));
  EXPECT_TRUE(cols[0].reset->isVisible());
  EXPECT_EQ(cols[1].values[2]->text(), "транзит");
  EXPECT_TRUE(cols[1].ko->isVisible());
  EXPECT_EQ(cols[1].values[6]->text(), "---");
  EXPECT_EQ(cols[2].values[2]->text(), "аналоговый");
  EXPECT_FALSE(cols[2].ko->isVisible());
  EXPECT_FALSE(cols[2].reset->isVisible());

  // Configuration: read, change a frequency and a rate, write, read back.
  panel->tabs->setCurrentIndex(ModemPanel::kConfig);
  ModemConfigPage* cfg = panel->config;
  ASSERT_TRUE(WaitFor([&] { return StatusEnds(" Команда чтения исполнена") && cfg->channels[0].txFreq->value() != 0; }));
  cfg->channels[0].txFreq->setValue(200);
  cfg->channels[0].rateMin->setValue(16.0);
  f.dialogs.answer = true;
  f.window->findChild<QPushButton*>("ButWR")->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Подтвердите запись");
  ASSERT_TRUE(WaitFor([&] { return StatusEnds(" Команда записи исполнена"); }));

  cfg->channels[0].txFreq->setValue(1);  // typed but not written: the read must bring 200 back
  f.window->findChild<QPushButton*>("ButRD")->click();
  ASSERT_TRUE(WaitFor([&] { return StatusEnds(" Команда чтения исполнена"); }));
  EXPECT_EQ(cfg->channels[0].txFreq->value(), 200);
  EXPECT_EQ(cfg->channels[0].rateMin->text(), "16,0");
  const TStructDev& root = f.window->link().registry.device(1);
  EXPECT_EQ(root.modemChannel(1).TxFreqKHz, 200);
  EXPECT_DOUBLE_EQ(root.modemChannel(1).RxRateMin, 16.0);
}

TEST_F(ModemBoardTest, MemoryDumpListsTheBoardsBytesInTheMemo) {
  f.window->setDebugMode(true);
  OpenModem();
  panel->tabs->setCurrentIndex(ModemPanel::kDump);  // no read by itself
  QTest::qWait(50);
  EXPECT_EQ(ModemCommands(), std::vector<int>{0x01});
  f.window->findChild<QPushButton*>("ButRD")->click();
  ASSERT_TRUE(WaitFor([&] { return f.memoHas("CVK dump ADDR=0x000F 16 bytes"); }));
  EXPECT_EQ(panel->dumpLength->text(), "010");
  // The emulated memory holds the low address byte XOR the high one.
  EXPECT_TRUE(f.memoHas("000F: 0F-10-11-12 13-14-15-16 17-18-19-1A 1B-1C-1D-1E"));
}

// Ranges by version are the editors' own tests; here an entry that is no
// number stops the whole click instead of going out as some other value, and
// editors of another selection are never written.
TEST_F(ModemBoardTest, NoNumberOrAnotherSelectionsEditorsStopTheWrite) {
  OpenModem();
  panel->tabs->setCurrentIndex(ModemPanel::kConfig);
  ModemConfigPage* cfg = panel->config;
  auto loaded = [&] {
    const ModemEditorValues v = cfg->Values();
    return v.loadedFrom == 1 && v.channels[0].loadedFrom == 1 && v.channels[2].loadedFrom == 1;
  };
  ASSERT_TRUE(WaitFor(loaded));
  EXPECT_FALSE(cfg->channels[0].rateMax->isHidden());  // MCU 12 carries the maximum rate
  EXPECT_FALSE(cfg->aggr->isHidden());
  EXPECT_EQ(cfg->channels[1].enable->text(), "Канал включен");
  f.dialogs.answer = true;
  cfg->txLevel->setText("abc");
  const std::size_t sent = ModemCommands().size();
  Press("ButWR");
  QTest::qWait(100);
  EXPECT_EQ(ModemCommands().size(), sent);
  ASSERT_EQ(f.dialogs.warnings.size(), 1);
  EXPECT_TRUE(f.dialogs.warnings.last().startsWith("Ошибка в параметрах:"));

  // Away and back: until the board answers, the editors hold nothing of it,
  // and a write names what to read instead of sending old values.
  Press("ButBrd1");  // not identified yet: the modem pages go to the firmware page
  Press("ButBrd4");
  panel->tabs->setCurrentIndex(ModemPanel::kConfig);
  EXPECT_TRUE(cfg->channels[0].rateMax->isHidden());
  EXPECT_TRUE(cfg->aggr->isHidden());
  Press("ButWR");
  ASSERT_EQ(f.dialogs.warnings.size(), 2);
  EXPECT_EQ(f.dialogs.warnings.last(),
            "Конфигурация платы не прочитана: общие параметры, канал 1, канал 2, канал 3.\nСначала выполните чтение.");
  ASSERT_TRUE(WaitFor(loaded));
  for (const sim::Bytes& r : RequestsTo(0x04)) EXPECT_EQ(r.size(), 1u) << "a write went out";
  EXPECT_FALSE(cfg->channels[0].rateMax->isHidden());
}

TEST_F(ModemBoardTest, TheLoopMenuOpensBesideItsButton) {
  OpenModem();
  panel->tabs->setCurrentIndex(ModemPanel::kChannels);
  QPushButton* loop = panel->channels->butLoop;
  ASSERT_TRUE(WaitFor([&] { return loop->isVisible(); }));
  loop->click();
  ASSERT_TRUE(WaitFor([&] { return panel->channels->popupMenuDF->isVisible(); }));
  // 150 right of and 70 below the button, moved left only as far as the screen asks.
  const QMenu* menu = panel->channels->popupMenuDF;
  const QPoint wanted = loop->mapToGlobal(QPoint(150, 70));
  const int screenRight = menu->screen()->geometry().right() + 1;
  EXPECT_EQ(menu->pos(), QPoint(std::min(wanted.x(), screenRight - menu->width()), wanted.y()));
  panel->channels->popupMenuDF->hide();
}
