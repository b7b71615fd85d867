// The hidden debug switch: Shift+Ctrl+left press on the peer button.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <vector>

#include "ui/main_window/status_panels.h"
#include "ui_test_support.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

void PressPeerButton(WindowFixture& f, Qt::KeyboardModifiers mods) {
  QTest::mousePress(f.window->findChild<QPushButton*>("ButIP"), Qt::LeftButton, mods);
}

int MemoHeight(WindowFixture& f) { return f.window->findChild<QSplitter*>("SplitterBot")->sizes().at(1); }

}  // namespace

TEST(DebugMode, TogglesDiagnosticControlsAndTheMemoHeight) {
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23210));
  // Every diagnostic control; hidden is its own flag, whatever its parent shows.
  auto* dumpTabs = f.window->findChild<QTabWidget*>("TabsVK");
  const int dumpPage = dumpTabs->indexOf(f.window->findChild<QWidget*>("TabVKdump"));
  ASSERT_GE(dumpPage, 0);
  auto shown = [&] {
    std::vector<bool> flags;
    for (const char* name : {"PanelTest", "ButTestadd", "ButADD", "ButTest", "ButStartStop", "ButSLloop"}) {
      QWidget* w = f.window->findChild<QWidget*>(name);
      EXPECT_NE(w, nullptr) << name;
      flags.push_back(w != nullptr && !w->isHidden());
    }
    flags.push_back(dumpTabs->isTabVisible(dumpPage));
    return flags;
  };
  EXPECT_EQ(shown(), std::vector<bool>(7, false));
  EXPECT_LE(MemoHeight(f), 1);

  PressPeerButton(f, Qt::ShiftModifier);  // one modifier is not enough
  EXPECT_FALSE(f.window->debugMode());

  PressPeerButton(f, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_TRUE(f.window->debugMode());
  EXPECT_EQ(shown(), std::vector<bool>(7, true));
  EXPECT_EQ(MemoHeight(f), 200);
  EXPECT_TRUE(f.memo().lastLine().endsWith("] Debug on"));

  PressPeerButton(f, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_FALSE(f.window->debugMode());
  EXPECT_EQ(shown(), std::vector<bool>(7, false));
  EXPECT_LE(MemoHeight(f), 1);
}

TEST(TestSender, ShowsTheChecksumAsTyped) {
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23230));
  auto* route = f.window->findChild<QLineEdit*>("EditRoute");
  auto* data = f.window->findChild<QLineEdit*>("EditData");
  auto* cs = f.window->findChild<QLineEdit*>("EditCS");
  EXPECT_EQ(route->text(), "000F");
  EXPECT_EQ(cs->text(), "F0");
  data->setText("41");  // 00 0F 41: sum 0x50, complemented 0xAF
  EXPECT_EQ(cs->text(), "AF");
  route->setText("0001");
  data->setText("0102");  // 00 01 01 02: sum 4
  EXPECT_EQ(cs->text(), "FB");
}

TEST(StatusBar, ClockPanelAndEmptyTrafficPanelWithoutABoard) {
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23240));
  auto* bar = f.window->findChild<StatusPanels*>("StatusPan");
  f.window->RefreshClock();
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d   \\d\\d\\.\\d\\d\\.\\d{4}$").match(bar->panel(3)).hasMatch())
      << bar->panel(3).toStdString();
  EXPECT_TRUE(bar->panel(1).isEmpty());

  Link& link = f.window->link();
  const int dev = link.registry.AllocDevice();
  link.registry.device(dev).board(4).Requests = 7;
  link.registry.device(dev).board(4).Answers = 5;
  link.request.currentDevice = dev;
  link.request.selectedSlot = 4;
  f.window->RefreshClock();
  EXPECT_EQ(bar->panel(1), "ВК20       Запросов:7 Ответов:5");
}
