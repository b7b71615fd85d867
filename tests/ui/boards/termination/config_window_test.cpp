// The termination board window offscreen, opened from a board record built
// here: its two modes, its controls and the rules they follow when clicked.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include "ui/boards/termination/config_window.h"

using namespace varnel;
using namespace varnel::ui;

namespace {

TBRDS Board(int ver1, int ver2, std::array<std::uint8_t, 3> types, std::uint32_t poe = 1) {
  TBRDS b;
  b.Valid = 1;
  b.Ver1 = static_cast<std::uint8_t>(ver1);
  b.Ver2 = static_cast<std::uint8_t>(ver2);
  b.Values[2] = poe;  // PoE bits, where the parser keeps them
  for (std::size_t i = 0; i < 3; ++i) b.Modules[i].Tag = types[i];
  return b;
}

class ConfigWindowTest : public ::testing::Test {
 protected:
  void Open(ConfigWindowMode mode, const TBRDS& board) {
    window = std::make_unique<TerminationConfigWindow>(mode, board);
    reads = std::make_unique<QSignalSpy>(window.get(), &TerminationConfigWindow::readRequested);
    writes = std::make_unique<QSignalSpy>(window.get(), &TerminationConfigWindow::writeRequested);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  template <typename W = QWidget>
  W* Get(const QString& name) const {
    W* w = window->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  bool Shown(const QString& name) const { return Get(name)->isVisibleTo(window.get()); }
  bool Enabled(const QString& name) const { return Get(name)->isEnabled(); }
  bool Checked(const QString& name) const { return Get<QCheckBox>(name)->isChecked(); }
  // A click on the box's indicator, as the operator makes it.
  void Click(const QString& name) {
    QCheckBox* box = Get<QCheckBox>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
  }
  // A choice in a list by the operator (the program's own changes run no rule).
  void Choose(const QString& name, int index) {
    QComboBox* list = Get<QComboBox>(name);
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  std::unique_ptr<TerminationConfigWindow> window;
  std::unique_ptr<QSignalSpy> reads, writes;
};

const std::array<std::uint8_t, 3> kMixed{13, 9, 7};

}  // namespace

TEST_F(ConfigWindowTest, EachModeShowsItsControlsAndItsButtonsSignal) {
  Open(ConfigWindowMode::Configuration, Board(2, 8, kMixed));
  EXPECT_EQ(window->windowTitle(), "Конфигурация СЛ30");
  EXPECT_EQ(window->size(), QSize(750, 590));
  EXPECT_TRUE(window->isModal());
  EXPECT_EQ(reads->count(), 1);  // opening reads
  const char* names[] = {"cbModeSL", "EditHDLC_W", "cbG729rate", "cbNumCH", "ChLockEth", "EditIP", "EditMask",
                         "EditGW", "ChPoEen", "ChL2Eth", "cbRSRate", "cbRSPar", "cbRSMode", "cbRsStream",
                         "cbRsStreamSZB", "cbSKmode", "LabSK", "ChSK1", "ChSK2", "ChSK3", "TrackFilt", "LabFilter",
                         "chVoiceLimEn"};
  for (const char* name : names) Get(name);
  for (int n = 1; n <= 3; ++n) {
    for (const char* name : {"LabMod", "cbLvlTX", "cbLvlRX", "cbModMode", "chECen", "ChLockMod"}) {
      Get(QString("%1%2").arg(name).arg(n));
    }
  }
  for (const char* name : {"EditFileNameFW", "ButOpenFileFW", "ButFwStart", "TrackFilt"}) {
    EXPECT_FALSE(Shown(name)) << name;  // the analog group: digital mode
  }
  const std::pair<const char*, const char*> buttons[] = {
      {"ButRDcfg", "Чтение"}, {"ButWRcfg", "Запись"}, {"ButCloseCfg", "Закрыть"}, {"ButRST", "Перезапуск"}};
  for (auto [name, caption] : buttons) {
    EXPECT_TRUE(Shown(name)) << name;
    EXPECT_EQ(Get<QPushButton>(name)->text(), caption);
  }
  Get<QPushButton>("ButRDcfg")->click();
  Get<QPushButton>("ButWRcfg")->click();
  EXPECT_EQ(reads->count(), 2);
  EXPECT_EQ(writes->count(), 1);

  Open(ConfigWindowMode::Firmware, Board(2, 8, kMixed));
  EXPECT_EQ(window->windowTitle(), "Обновление ПО СЛ30");
  EXPECT_EQ(window->size(), QSize(510, 380));
  for (const char* name : {"EditFileNameFW", "ButOpenFileFW", "ButFwStart", "ButRST", "ButCloseCfg"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  for (const char* name : {"cbModeSL", "EditIP", "cbRSRate", "LabMod1", "ButRDcfg", "ButWRcfg"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  EXPECT_TRUE(Get<QLineEdit>("EditFileNameFW")->isReadOnly());
  EXPECT_EQ(Get<QPushButton>("ButFwStart")->text(), "Начать обновление");
  Get<QPushButton>("ButFwStart")->click();
  EXPECT_EQ(writes->count(), 1);
  Get<QPushButton>("ButCloseCfg")->click();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ConfigWindowTest, VersionAndPoeReachTheirControls) {
  struct Row {
    int ver1, ver2;
    std::uint32_t poe;
    bool contacts, limiter, transparent, poeShown, lockEnabled;
  };
  // The thresholds themselves are the rules' tests; each control both ways here.
  const Row rows[] = {
      {1, 7, 0, false, false, false, false, false},
      {2, 6, 1, true, true, true, true, true},
  };
  for (const Row& r : rows) {
    Open(ConfigWindowMode::Configuration, Board(r.ver1, r.ver2, kMixed, r.poe));
    const std::string v = std::to_string(r.ver1) + "." + std::to_string(r.ver2);
    EXPECT_EQ(!Get("cbSKmode")->parentWidget()->isHidden(), r.contacts) << v;
    EXPECT_EQ(!Get("chVoiceLimEn")->isHidden(), r.limiter) << v;
    EXPECT_EQ(!Get("ChL2Eth")->isHidden(), r.transparent) << v;
    EXPECT_EQ(!Get("ChPoEen")->isHidden(), r.poeShown) << v;
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(Enabled(QString("ChLockMod%1").arg(n)), r.lockEnabled) << v << " " << n;
  }
}

// Which row shows what, by type and version, is settled by the rules' own
// tests; here the rows' views reach their controls.
TEST_F(ConfigWindowTest, ModuleRowsFollowTheirTypes) {
  Open(ConfigWindowMode::Configuration, Board(2, 7, kMixed));
  EXPECT_EQ(Get<QLabel>("LabMod1")->text(), "  [1]  4W01 ");
  EXPECT_EQ(Get<QComboBox>("cbLvlRX1")->itemText(5), " -8");
  EXPECT_TRUE(Shown("cbLvlRX1") && Shown("cbModMode1"));
  EXPECT_EQ(Get<QComboBox>("cbLvlTX2")->itemText(1), "  -7");  // type 9
  EXPECT_FALSE(Shown("cbLvlRX2") || Shown("cbModMode2"));
  EXPECT_TRUE(Shown("chECen2"));
  EXPECT_FALSE(Shown("cbModMode3"));  // type 7 before 2.8
  auto colour = [&](const char* name) { return Get(name)->palette().color(Get(name)->backgroundRole()); };
  EXPECT_EQ(colour("LabMod1"), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(colour("chECen2"), QColor(0xD0, 0xD0, 0xD0));

  Open(ConfigWindowMode::Configuration, Board(2, 10, {0, 0, 0}));
  EXPECT_EQ(Get<QLabel>("LabMod2")->text(), "  [2]  Нет  ");
  for (const char* name : {"cbLvlTX2", "cbLvlRX2", "cbModMode2", "chECen2", "ChLockMod2"}) EXPECT_FALSE(Shown(name)) << name;
  EXPECT_EQ(window->Form().modules[0], (ModuleForm{-1, -1, -1, false, false}));
}

TEST_F(ConfigWindowTest, BlockingEthernetByClicking) {
  Open(ConfigWindowMode::Configuration, Board(2, 6, kMixed, 1));
  auto addresses = [&] { return std::vector{Enabled("EditIP"), Enabled("EditMask"), Enabled("EditGW")}; };
  Click("ChPoEen");
  Click("ChL2Eth");
  ASSERT_TRUE(Checked("ChPoEen") && Checked("ChL2Eth"));
  EXPECT_EQ(addresses(), std::vector(3, false));  // transparent mode alone takes the addresses away
  Click("ChLockEth");
  EXPECT_EQ(std::tuple(Checked("ChL2Eth"), Enabled("ChL2Eth"), Checked("ChPoEen"), Enabled("ChPoEen")),
            std::tuple(false, false, false, false));
  Click("ChLockEth");
  EXPECT_EQ(std::pair(Enabled("ChL2Eth"), Enabled("ChPoEen")), std::pair(true, true));
  EXPECT_EQ(addresses(), std::vector(3, true));
}

TEST_F(ConfigWindowTest, ALockBoxLocksItsOwnRowByClicking) {
  Open(ConfigWindowMode::Configuration, Board(1, 16, kMixed));
  Click("ChLockMod2");
  ASSERT_TRUE(Checked("ChLockMod2"));
  for (const char* name : {"cbLvlTX2", "cbLvlRX2", "cbModMode2", "chECen2"}) EXPECT_FALSE(Enabled(name)) << name;
  for (const char* name : {"cbLvlTX1", "cbLvlRX1", "chECen1", "cbLvlTX3", "chECen3"}) EXPECT_TRUE(Enabled(name)) << name;
  Click("ChLockMod2");
  for (const char* name : {"cbLvlTX2", "cbLvlRX2", "cbModMode2", "chECen2"}) EXPECT_TRUE(Enabled(name)) << name;

  // Before 1.16 the box cannot be clicked, and a lock set by the program locks nothing.
  Open(ConfigWindowMode::Configuration, Board(1, 15, kMixed));
  Click("ChLockMod1");
  EXPECT_FALSE(Checked("ChLockMod1"));
  TerminationConfigForm form;
  form.modules[0].locked = true;
  window->SetForm(form);
  EXPECT_TRUE(Checked("ChLockMod1"));
  EXPECT_TRUE(Enabled("cbLvlTX1"));
}

TEST_F(ConfigWindowTest, ListRulesRunOnTheOperatorsChoice) {
  Open(ConfigWindowMode::Configuration, Board(2, 9, kMixed));
  auto* rates = Get<QComboBox>("cbRSRate");
  rates->setCurrentIndex(5);  // "4800"
  Choose("cbRSMode", 1);
  EXPECT_EQ(std::pair(rates->count(), rates->currentIndex()), std::pair(3, -1));
  EXPECT_FALSE(Shown("cbRSPar"));
  EXPECT_FALSE(Shown("cbRsStream"));
  Choose("cbRSMode", 0);
  EXPECT_EQ(std::pair(rates->count(), rates->currentIndex()), std::pair(11, -1));
  EXPECT_TRUE(Shown("cbRSPar") && Shown("cbRsStream") && Shown("cbRsStreamSZB"));

  auto* streamRate = Get<QComboBox>("cbRsStreamSZB");
  EXPECT_FALSE(streamRate->isEnabled());
  Choose("cbRsStream", 1);
  EXPECT_TRUE(streamRate->isEnabled());
  streamRate->setCurrentIndex(12);
  Choose("cbRsStream", 0);
  EXPECT_EQ(streamRate->currentText(), "---");

  Choose("cbSKmode", 1);
  EXPECT_TRUE(Shown("LabSK") && Shown("ChSK2"));
  Click("ChSK2");
  Choose("cbSKmode", 0);
  EXPECT_FALSE(Checked("ChSK2"));
  EXPECT_FALSE(Shown("LabSK") || Shown("ChSK1"));

  Choose("cbModeSL", 1);
  EXPECT_TRUE(Shown("TrackFilt"));
  EXPECT_FALSE(Shown("EditHDLC_W") || Shown("EditIP") || Shown("cbRSRate"));
  Get<QSlider>("TrackFilt")->setValue(5);
  EXPECT_EQ(Get<QLabel>("LabFilter")->text(), "[300..3400]         [---]");

  auto* width = Get<QSpinBox>("EditHDLC_W");
  width->setValue(250);
  emit width->editingFinished();
  EXPECT_EQ(width->value(), 200);
}

TEST_F(ConfigWindowTest, FormRoundTrips) {
  Open(ConfigWindowMode::Configuration, Board(2, 9, kMixed));
  TerminationConfigForm form;
  form.channelMode = 1;
  form.serviceWidth = 1200;
  form.codec = 1;
  form.voiceChannels = 2;
  form.ip = "10.0.0.7";
  form.mask = "255.255.255.0";
  form.gateway = "10.0.0.1";
  form.poeEnabled = true;
  form.transparent = true;
  form.rsRate = 5;
  form.rsParity = 2;
  form.rsStream = 1;
  form.rsStreamRate = 37;
  form.bandPosition = 3;
  form.limiter = true;
  form.alarmMode = 1;
  form.alarmChannels = {true, false, true};
  // Type 9 has no mode list; its receive list is filled but hidden.
  form.modules = {ModuleForm{9, 5, 1, true, true}, ModuleForm{1, 1, -1, false, false}, ModuleForm{0, 1, 1, true, false}};
  window->SetForm(form);
  EXPECT_EQ(window->Form(), form);
  EXPECT_EQ(Get<QLabel>("LabFilter")->text(), "[300..2600]         [2800..3400] Гц");
  EXPECT_FALSE(Enabled("cbLvlTX1"));  // the lock rule ran

  // Rules run while the settings are set: blocking after the transparent
  // mode clears it, PoE set afterwards stays ticked though disabled, far-end
  // alarms drop the channels, packets drop the stream rate, and an index the
  // code-independent list lacks selects nothing.
  form.ethernetBlocked = true;
  form.alarmMode = 0;
  form.rsStream = 0;
  form.rsMode = 1;
  window->SetForm(form);
  TerminationConfigForm expected = form;
  expected.transparent = false;
  expected.alarmChannels = {false, false, false};
  expected.rsStreamRate = 0;
  expected.rsRate = -1;
  EXPECT_EQ(window->Form(), expected);
  EXPECT_FALSE(Enabled("ChPoEen"));
}
