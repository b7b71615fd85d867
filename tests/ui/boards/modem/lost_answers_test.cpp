// The modem board over a link that always loses the answers to one command:
// the status names the missing answer in the failure colour, never says
// executed, the page greys what was not refreshed, and a later complete
// read takes the grey away.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "boards/modem/modem_view.h"
#include "model/command_status.h"
#include "network_fixture.h"
#include "ui/boards/modem/stale_mark.h"
#include "ui/boards/modem/channel_page.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/widgets/decimal_edit.h"
#include "ui/widgets/qt_text.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

class LostAnswersTest : public NetworkTest {
 protected:
  LostAnswersTest(const char* address, int port, const QString& rootKeys)
      : NetworkTest(address, port, 100, rootKeys), panel(f.window->findChild<ModemPanel*>("PanelVK")) {}
  // The modem board identified, its pages ready.
  void OpenModem() { SelectBoard("ButBrd4", [&] { return panel->tabs->isVisible(); }); }
  // Waits for the status to end so; fails if it ever says the command was
  // executed on the way.
  bool StatusBecomes(const char* text, const char* never, int timeoutMs = 6000) {
    bool claimed = false;
    const bool reached = WaitFor(
        [&] {
          claimed |= StatusEnds(never);
          return StatusEnds(text);
        },
        timeoutMs);
    EXPECT_FALSE(claimed) << "the status said" << never;
    return reached && !claimed;
  }
  QString StatusCss() { return f.window->findChild<QLabel*>("LabRWstat")->styleSheet(); }
  bool Greyed(const QLabel* value) {
    return value->styleSheet() == ColourCss(kNotRefreshedColour) && value->toolTip() == kNotRefreshedHint;
  }

  ModemPanel* const panel;
};

class LostStateAnswer : public LostAnswersTest {
 protected:
  LostStateAnswer() : LostAnswersTest("127.0.0.76", 20076, "fault_drop_codes=16\n") {}
};

class LostConfigAnswer : public LostAnswersTest {
 protected:
  LostConfigAnswer() : LostAnswersTest("127.0.0.77", 20077, "fault_drop_codes=12\n") {}
};

}  // namespace

TEST_F(LostStateAnswer, TheChannelPageNamesItGreysTheChannelAndACompleteReadClearsIt) {
  OpenModem();
  panel->tabs->setCurrentIndex(ModemPanel::kChannels);  // reads 15, 16, 17, 11, 12, 13
  ASSERT_TRUE(StatusBecomes(" Команда чтения не исполнена: нет ответа на 16", " Команда чтения исполнена"));
  EXPECT_EQ(StatusCss(), ColourCss(kColourMaroon));
  const auto& cols = panel->channels->columns;
  for (const QLabel* value : cols[1].values) EXPECT_TRUE(Greyed(value)) << value->text().toStdString();
  for (int c : {0, 2}) {
    for (const QLabel* value : cols[static_cast<std::size_t>(c)].values) {
      EXPECT_EQ(value->styleSheet(), QString()) << "channel " << c + 1;
      EXPECT_EQ(value->toolTip(), QString());
    }
  }
  EXPECT_EQ(cols[0].values[2]->text(), "цифр.ведущий");  // what did come is shown

  // Channel 2 no longer shown: the next read asks 15 and 17 only, gets both.
  cols[1].show->setChecked(false);
  Press("ButRD");
  ASSERT_TRUE(StatusBecomes(" Команда чтения исполнена", " не исполнена: нет ответа на 16"));
  EXPECT_EQ(StatusCss(), ColourCss(kColourGreen));
  EXPECT_TRUE(WaitFor([&] { return !Greyed(cols[1].values[0]); }));
  for (const QLabel* value : cols[1].values) EXPECT_EQ(value->toolTip(), QString());
}

TEST_F(LostConfigAnswer, AReadMarksTheChannelAndAWriteWithoutItsAcknowledgementIsNeverDone) {
  OpenModem();
  panel->tabs->setCurrentIndex(ModemPanel::kConfig);  // reads 10, 11, 12, 13
  ASSERT_TRUE(StatusBecomes(" Команда чтения не исполнена: нет ответа на 12", " Команда чтения исполнена"));
  EXPECT_EQ(StatusCss(), ColourCss(kColourMaroon));
  ModemConfigPage* cfg = panel->config;
  ASSERT_TRUE(WaitFor([&] { return IsMarkedNotRefreshed(cfg->channels[1].panel); }));
  EXPECT_TRUE(cfg->channels[1].panel->toolTip().startsWith(kNotRefreshedHint));
  EXPECT_FALSE(IsMarkedNotRefreshed(cfg->channels[0].panel));
  EXPECT_FALSE(IsMarkedNotRefreshed(cfg->channels[2].panel));
  EXPECT_FALSE(IsMarkedNotRefreshed(cfg->txLevel));
  const QString ownTip = cfg->txLevel->toolTip();

  // A link that loses nothing: the read completes and the marks go.
  servers.Stop();
  sim::NetworkServers sound(SmallNetworkOn("127.0.0.77"));
  ASSERT_EQ(sound.Start(), "");
  Press("ButRD");
  ASSERT_TRUE(StatusBecomes(" Команда чтения исполнена", " не исполнена: нет ответа на 12"));
  EXPECT_TRUE(WaitFor([&] { return !IsMarkedNotRefreshed(cfg->channels[1].panel); }));
  EXPECT_EQ(cfg->channels[1].panel->styleSheet(), QString());
  EXPECT_EQ(cfg->txLevel->toolTip(), ownTip);

  // The link loses the answers to 12 again: the write's acknowledgement of
  // channel 2 never comes, and the write is never reported done.
  sound.Stop();
  sim::NetworkServers lossy(SmallNetworkOn("127.0.0.77", "fault_drop_codes=12\n"));
  ASSERT_EQ(lossy.Start(), "");
  f.dialogs.answer = true;
  Press("ButWR");
  ASSERT_TRUE(StatusBecomes(" Команда записи не исполнена: нет ответа на 12", " Команда записи исполнена"));
  EXPECT_EQ(StatusCss(), ColourCss(kColourMaroon));
  EXPECT_TRUE(IsMarkedNotRefreshed(cfg->channels[1].panel));
  EXPECT_FALSE(IsMarkedNotRefreshed(cfg->channels[0].panel));
}
