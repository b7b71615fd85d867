// Access modes in the real windows: every administrator's control disabled
// in user mode wherever it exists, the password dialog from ButUSR, the
// password saved to the settings, and a damaged stored password.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include "access/admin_controls.h"
#include "network_fixture.h"
#include "ui/boards/termination/config_window.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

const QString kUserMode = "Текущий режим: пользователь";

// The table's controls that exist in this window, by objectName.
QList<QWidget*> AdminControlsIn(QWidget* window) {
  QList<QWidget*> found;
  for (const AdminControl& c : AdminOnlyControls()) {
    if (QString::fromUtf8(c.window.data(), static_cast<int>(c.window.size())) != window->objectName()) continue;
    const QString name = QString::fromUtf8(c.control.data(), static_cast<int>(c.control.size()));
    for (QWidget* w : window->findChildren<QWidget*>(name)) {
      if (w->window() == window) found << w;
    }
  }
  return found;
}

int EnabledCount(const QList<QWidget*>& controls) {
  return static_cast<int>(std::count_if(controls.begin(), controls.end(), [](QWidget* w) { return w->isEnabled(); }));
}

QPushButton* Button(QWidget* window, const char* name) { return window->findChild<QPushButton*>(name); }

// Settings holding only a stored password text.
QByteArray WithPassword(const char* psw) { return QByteArray("[COMMON]\r\nPSW=") + psw + "\r\n"; }

}  // namespace

TEST(AccessModes, UserModeWinsOverOtherLogicAndAdministratorModeRestoresIt) {
  WindowFixture f(WithPassword("0E2C40"));  // the password "a"
  MainWindow& window = *f.window;
  const QList<QWidget*> controls = AdminControlsIn(&window);
  // Every control of the main window's part of the table lives here, the modem firmware page's among them.
  QStringList names;
  for (QWidget* w : controls) names << w->objectName();
  ASSERT_GE(controls.size(), 13) << names.join(' ').toStdString();
  EXPECT_TRUE(names.contains("ButVKFwStart") && names.contains("ButRstVK")) << names.join(' ').toStdString();
  EXPECT_FALSE(window.access().admin());
  EXPECT_EQ(EnabledCount(controls), 0);
  EXPECT_EQ(Button(&window, "ButUSR")->toolTip(), kUserMode);

  // Other logic enabling a control does not unlock it.
  Button(&window, "ButWR")->setEnabled(true);
  EXPECT_FALSE(Button(&window, "ButWR")->isEnabled());

  // A control its own logic disabled stays disabled when the mode opens.
  f.dialogs.passwords = {"a"};
  Button(&window, "ButUSR")->click();
  ASSERT_TRUE(window.access().admin());
  EXPECT_EQ(EnabledCount(controls), controls.size());
  EXPECT_TRUE(Button(&window, "ButUSR")->toolTip().startsWith("Текущий режим: администратор.\n"));
  Button(&window, "ButSLClear")->setEnabled(false);
  Button(&window, "ButUSR")->click();  // back to user mode: nothing asked
  EXPECT_EQ(f.dialogs.asked.size(), 1);
  EXPECT_EQ(EnabledCount(controls), 0);
  f.dialogs.passwords = {"a"};
  Button(&window, "ButUSR")->click();
  EXPECT_EQ(EnabledCount(controls), controls.size() - 1);
  EXPECT_FALSE(Button(&window, "ButSLClear")->isEnabled());
}

// Which entries a damaged password refuses is the access rules' own test.
TEST(AccessModes, DamagedPasswordStartsLockedAndIsWrittenBackAsFound) {
  WindowFixture f(WithPassword("ZZZZZZ") + "AUTOFIND=7\r\n");
  MainWindow& window = *f.window;
  EXPECT_FALSE(window.access().admin());
  EXPECT_TRUE(f.memoHas("Пароль администратора в файле INI повреждён"));
  f.dialogs.passwords = {"ZZZZZZ"};
  Button(&window, "ButUSR")->click();
  EXPECT_EQ(f.dialogs.warnings, QStringList{"Пароль введён неверно "});
  EXPECT_EQ(EnabledCount(AdminControlsIn(&window)), 0);
  window.close();
  const QByteArray saved = ReadFile(f.dir.filePath("varnel-monitor.ini"));
  EXPECT_TRUE(saved.contains("\nPSW=ZZZZZZ\n")) << saved.toStdString();
}

TEST(AccessModes, PasswordSetByShiftClickIsSavedAndAnEmptyOneRemovesIt) {
  WindowFixture f(QByteArray{});
  MainWindow& window = *f.window;
  ASSERT_TRUE(window.access().admin());
  const QString ini = f.dir.filePath("varnel-monitor.ini");
  f.dialogs.passwords = {"", "a"};
  QTest::mouseClick(Button(&window, "ButUSR"), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(f.dialogs.asked, (QStringList{"Изменение пароля/Введите старый пароль", "Изменение пароля/Введите новый пароль"}));
  EXPECT_TRUE(window.access().admin());
  EXPECT_TRUE(ReadFile(ini).contains("\nPSW=0E2C40\n"));
  EXPECT_FALSE(WindowFixture(ReadFile(ini)).window->access().admin());  // the next start
  // A plain click after the Shift-click switches the mode, it does not change the password.
  Button(&window, "ButUSR")->click();
  EXPECT_FALSE(window.access().admin());
  f.dialogs.passwords = {"a"};
  Button(&window, "ButUSR")->click();
  f.dialogs.passwords = {"a", ""};
  QTest::mouseClick(Button(&window, "ButUSR"), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(ReadFile(ini).contains("\nPSW=\n"));
  Button(&window, "ButUSR")->click();
  ASSERT_FALSE(f.dialogs.warnings.isEmpty());
  EXPECT_TRUE(f.dialogs.warnings.last().endsWith("\nВнимание: пароль администратора не задан."));
}

namespace {

class AccessWindowsTest : public NetworkTest {
 protected:
  AccessWindowsTest() : NetworkTest("127.0.0.241", 22241) {}
  QWidget* TerminationWindow() { return f.window->findChild<QWidget*>("FSL"); }
  // Board 1 of the root selected, its window opened by the button.
  void OpenTermination(const char* button) {
    SelectBoard("ButBrd1", [&] { return f.window->findChild<QWidget*>("ButCFG_SL")->isVisible(); });
    Press(button);
    ASSERT_TRUE(WaitFor([&] { return TerminationWindow() != nullptr && TerminationWindow()->isVisible(); }));
  }
};

}  // namespace

TEST_F(AccessWindowsTest, TheTerminationWindowFollowsTheModeInBothOfItsModes) {
  OpenTermination("ButSL_FW");
  QWidget* firmware = TerminationWindow();
  ASSERT_EQ(AdminControlsIn(firmware).size(), 3);  // write, update start, restart
  Button(firmware, "ButFwStart")->setEnabled(true);
  f.window->ButUSRClick();  // no password set: straight to user mode
  ASSERT_FALSE(f.window->access().admin());
  EXPECT_EQ(EnabledCount(AdminControlsIn(firmware)), 0);
  // The update file check enabling the start button does not unlock it.
  Button(firmware, "ButFwStart")->setEnabled(true);
  EXPECT_FALSE(Button(firmware, "ButFwStart")->isEnabled());
  firmware->close();
  ASSERT_TRUE(WaitFor([&] { return TerminationWindow() == nullptr; }));

  EXPECT_FALSE(Button(f.window.get(), "ButSL_FW")->isEnabled());
  Press("ButCFG_SL");  // always open: reading is allowed
  ASSERT_TRUE(WaitFor([&] { return TerminationWindow() != nullptr && TerminationWindow()->isVisible(); }));
  auto* config = f.window->findChild<TerminationConfigWindow*>();
  // Opening reads the configuration; reading goes on in user mode.
  ASSERT_TRUE(WaitFor([&] { return config->Form().ip == "192.168.1.11"; }, 5000));
  EXPECT_FALSE(Button(config, "ButWRcfg")->isEnabled());
  EXPECT_FALSE(Button(config, "ButRST")->isEnabled());
  EXPECT_TRUE(Button(config, "ButRDcfg")->isEnabled());
  config->close();
}
