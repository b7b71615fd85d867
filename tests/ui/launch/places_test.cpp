// Where the program keeps its files: beside itself when it may write there,
// in the user's configuration folder when it is installed read-only. Where
// the settings are read and saved is the settings' own test.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "ui/launch/places.h"

namespace varnel::ui {
namespace {

TEST(ProgramPlaces, WritableProgramFolderKeepsEverythingBesideItAndInTheStartFolder) {
  QTemporaryDir program, start, config;
  const ProgramPlaces p =
      ChoosePlaces(program.filePath("varnel-monitor"), start.path(), config.filePath("varnel-monitor"));
  EXPECT_EQ(p.settingsPath, program.filePath("varnel-monitor.ini"));
  EXPECT_TRUE(p.settingsNote.isEmpty());
  EXPECT_EQ(p.mapPath, start.filePath("map.ini"));
  EXPECT_EQ(p.viewerDir, start.path());
  EXPECT_EQ(p.handOffDir, start.filePath("sys"));
}

TEST(ProgramPlaces, InstalledProgramWritesOnlyToTheConfigFolderAndFindsTheViewerBesideItself) {
  // A folder that does not exist cannot be written, even by root: it stands
  // for the read-only folder of an installed program.
  QTemporaryDir root, start;
  const QString programDir = root.filePath("usr/lib/varnel-monitor");
  const QString config = root.filePath("home/.config/varnel-monitor");
  ProgramPlaces p = ChoosePlaces(programDir + "/varnel-monitor", start.path(), config);
  // Defaults shipped beside the program are read until the user's copy exists.
  EXPECT_EQ(p.settingsPath, programDir + "/varnel-monitor.ini");
  EXPECT_EQ(p.settingsSavePath, config + "/varnel-monitor.ini");
  EXPECT_TRUE(p.settingsNote.endsWith(config + "/varnel-monitor.ini")) << p.settingsNote.toStdString();
  EXPECT_EQ(p.mapPath, config + "/map.ini");
  EXPECT_EQ(p.viewerDir, programDir);
  EXPECT_EQ(p.handOffDir, config);
  // Nothing lands in the folder the program happened to start in.
  EXPECT_TRUE(QDir(start.path()).isEmpty());
}

}  // namespace
}  // namespace varnel::ui
