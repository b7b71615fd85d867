// Start-up from the settings file, shutdown writing it back, the device map,
// the Russian texts of Qt's own dialogs, and the automatic-read box.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QScreen>
#include <QPushButton>
#include <QSpinBox>

#include "ui/launch/app_locale.h"
#include "ui_test_support.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

TEST(StartUp, WithoutASettingsFileTheDefaultsHold) {
  WindowFixture f(QByteArray{});  // an empty file reads like a missing one
  MainWindow& window = *f.window;
  EXPECT_EQ(window.windowTitle(), "KT90-Varnel Monitor (Конфигуратор) v.1.43 211222");
  EXPECT_EQ(window.link().settings.peerIp, "192.168.0.254");
  EXPECT_EQ(window.program().settings.autoFind, 32);
  EXPECT_EQ(window.findChild<QComboBox*>("cbID")->count(), 14);
  for (int slot = 1; slot <= 10; ++slot) {
    const bool filter = slot == 5 || slot == 7 || slot == 9;
    EXPECT_EQ(window.findChild<QPushButton*>(QString("ButBrd%1").arg(slot))->isEnabled(), !filter) << slot;
  }
}

TEST(StartUp, WindowGeometryIsFittedAndClampedToTheScreen) {
  // Sizes past any screen (and past a 32-bit integer) start the program at
  // most screen-sized, never crash it.
  for (const char* size : {"Width=5000\r\nHeight=5000\r\nLeft=4000\r\nTop=20\r\n",
                           "Width=100000\r\nHeight=100000\r\nLeft=-2147483648\r\nTop=2147483647\r\n",
                           "Width=2147483647\r\nHeight=-2147483648\r\nLeft=99999999999\r\nTop=-5\r\n"}) {
    SCOPED_TRACE(size);
    WindowFixture f(WindowFixture::Ini("127.0.0.1", 23610) + "[Size]\r\n" + size);
    const QRect screen = f.window->screen()->geometry();
    EXPECT_LE(f.window->width(), screen.width());
    EXPECT_LE(f.window->height(), screen.height());
    EXPECT_GE(f.window->x(), 0);
    EXPECT_GE(f.window->y(), 0);
    EXPECT_LT(f.window->y(), screen.height());
  }
}

TEST(Shutdown, AfterALoadThatStoppedEarlyTheFileIsLeftAsItWas) {
  const QByteArray text = "[NET]\r\nIP=127.0.0.172\r\nSRVPORT=23621\r\nNumIPs=300\r\n[COMMON]\r\nPSW=AB01FF\r\n";
  WindowFixture f(text);
  EXPECT_TRUE(f.memoHas("Файл INI прочитан не полностью: при выходе он не будет перезаписан"));
  f.window->close();
  EXPECT_TRUE(f.memoHas("Файл INI не перезаписан: он был прочитан не полностью"));
  EXPECT_EQ(ReadFile(f.dir.filePath("varnel-monitor.ini")), text);
}

// Which keys a save keeps is the settings' own test; here what the window adds.
TEST(Shutdown, WritesTheSettingsAndTheMapWithTheNamesFound) {
  WindowFixture f("[NET]\r\nIP=127.0.0.171\r\nSRVPORT=23620\r\nNumIPs=2\r\nIP_1=127.0.0.171\r\nIP_2=10.0.0.2\r\n");
  // The root block names itself: its address in the list gets that name.
  f.window->program().discovery.IdentityAnswer(1, Route{1}, 0, Bytes{0, 1, 0xCA, 0xE5, 0xE4, 0xF0});  // "Кедр"
  f.window->findChild<QPushButton*>("ButSaveMap")->click();
  f.window->close();

  const QByteArray ini = ReadFile(f.dir.filePath("varnel-monitor.ini"));
  EXPECT_TRUE(ini.contains("Name_1=\xCA\xE5\xE4\xF0")) << ini.toStdString();  // Windows-1251 on disk
  EXPECT_TRUE(ini.contains("Width="));

  const QByteArray map = ReadFile(f.dir.filePath("map.ini"));
  EXPECT_TRUE(map.contains("[DEV_1]"));
  EXPECT_TRUE(map.contains("Name=\xCA\xE5\xE4\xF0"));
  EXPECT_TRUE(map.contains("IP=127.0.0.171"));
}

TEST(Shutdown, ANameFromTheNetworkStaysOneValueInBothFiles) {
  WindowFixture f("[NET]\r\nIP=127.0.0.173\r\nSRVPORT=23622\r\nNumIPs=1\r\nIP_1=127.0.0.173\r\n");
  const std::string hostile = "x\nIP=10.6.6.6\r\nSRVPORT=70000";
  Bytes body{0, 1};
  body.insert(body.end(), hostile.begin(), hostile.end());
  f.window->program().discovery.IdentityAnswer(1, Route{1}, 0, body);
  f.window->findChild<QPushButton*>("ButSaveMap")->click();
  f.window->close();
  const QByteArray ini = ReadFile(f.dir.filePath("varnel-monitor.ini"));
  const QByteArray map = ReadFile(f.dir.filePath("map.ini"));
  EXPECT_TRUE(ini.contains("Name_1=x IP=10.6.6.6  SRVPORT=70000\n")) << ini.toStdString();
  EXPECT_TRUE(map.contains("Name=x IP=10.6.6.6  SRVPORT=70000\n")) << map.toStdString();
  for (const QByteArray& file : {ini, map}) {
    for (const QByteArray& line : file.split('\n')) {
      EXPECT_FALSE(line.startsWith("IP=10.6.6.6") || line.startsWith("SRVPORT=70000")) << line.toStdString();
    }
  }
}

TEST(StartUp, QtDialogsSpeakRussian) {
  ASSERT_TRUE(InstallRussianLocale(*QCoreApplication::instance()));
  QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Отмена");
}

TEST(AutoRead, TheBoxAppearsOnlyWhereReadingRepeatsUsefully) {
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23630));
  auto* box = f.window->findChild<QCheckBox*>("ChAutoRD");
  auto* period = f.window->findChild<QSpinBox*>("EditAutoRefr");
  f.window->program().discovery.IdentityAnswer(1, Route{1}, 0, Bytes{0, 1});
  f.window->link().request.currentDevice = 1;
  EXPECT_TRUE(box->isHidden());

  // A termination board that has not answered yet does not qualify.
  f.window->findChild<QPushButton*>("ButBrd1")->click();
  EXPECT_TRUE(box->isHidden());
  f.window->link().registry.device(1).board(1).Ver1 = 3;
  f.window->UpdateAutoReadBox();
  EXPECT_FALSE(box->isHidden());

  box->setChecked(true);
  EXPECT_FALSE(period->isHidden());
  EXPECT_EQ(f.window->autoReadPeriod(), 5);
  period->setValue(7);
  EXPECT_EQ(f.window->autoReadPeriod(), 7);
  box->setChecked(false);
  EXPECT_TRUE(period->isHidden());
  EXPECT_EQ(f.window->autoReadPeriod(), 0);
}
