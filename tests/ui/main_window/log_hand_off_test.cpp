// Where the window leaves the event log for the viewer and where it looks for
// the viewer, when those are not the start folder (an installed program).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui_test_support.h"

using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

TEST(LogHandOff, FileGoesToItsOwnFolderAndTheViewerIsLookedForBesideTheProgram) {
  QTemporaryDir dir;
  QFile ini(dir.filePath("varnel-monitor.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(WindowFixture::Ini("127.0.0.125", 21125));
  ini.close();
  RecordingDialogs dialogs;
  MainWindowOptions options;
  options.settingsPath = ini.fileName();
  options.dialogs = &dialogs;
  options.mapPath = dir.filePath("config/map.ini");
  options.startDir = dir.filePath("start");
  options.viewerDir = dir.filePath("program");
  options.handOffDir = dir.filePath("config");
  MainWindow window(options);
  window.show();

  window.findChild<ModemPanel*>("PanelVK")->log->view->click();
  EXPECT_TRUE(QFile::exists(dir.filePath("config/tmp_log.log")));
  ASSERT_FALSE(dialogs.warnings.isEmpty());
  EXPECT_EQ(dialogs.warnings.last(), "Невозможно найти файл:\n" + dir.filePath("program/sys/varnel-log-viewer"));
  // Nothing is written beside the program nor in the start folder.
  EXPECT_FALSE(QDir(dir.filePath("program")).exists());
  EXPECT_FALSE(QDir(dir.filePath("start")).exists());
}

}  // namespace
