// Where the window leaves the event log for the viewer and where it looks for
// the viewer, when those are not the start folder (an installed program).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>

#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui_test_support.h"

using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

TEST(LogHandOff, FileGoesToItsOwnFolderAndTheViewerIsLookedForBesideTheProgram) {
  WindowFixture f(WindowFixture::Ini("127.0.0.125", 21125), 150, 100, [](MainWindowOptions& options) {
    const QDir dir(options.startDir);
    options.mapPath = dir.filePath("config/map.ini");
    options.viewerDir = dir.filePath("program");
    options.handOffDir = dir.filePath("config");
    options.startDir = dir.filePath("start");
  });
  f.window->findChild<ModemPanel*>("PanelVK")->log->view->click();
  EXPECT_TRUE(QFile::exists(f.dir.filePath("config/tmp_log.log")));
  ASSERT_FALSE(f.dialogs.warnings.isEmpty());
  EXPECT_EQ(f.dialogs.warnings.last(), "Невозможно найти файл:\n" + f.dir.filePath("program/sys/varnel-log-viewer"));
  // Nothing is written beside the program nor in the start folder.
  EXPECT_FALSE(QDir(f.dir.filePath("program")).exists());
  EXPECT_FALSE(QDir(f.dir.filePath("start")).exists());
}

}  // namespace
