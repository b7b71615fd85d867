#pragma once
// Where the program keeps its files. Run from a folder it may write (a build
// tree, an unpacked copy) everything stays as it always was: settings beside
// the program, the map file and sys/ with the log viewer in the start folder.
// Installed (the program's folder read-only), the settings, the map file and
// the viewer's hand-off file go to the user's configuration folder, while the
// viewer is still found in sys/ beside the program.

#include <QString>

namespace varnel::ui {

struct ProgramPlaces {
  QString settingsPath;      // read from here
  QString settingsSavePath;  // written here
  QString settingsNote;      // traced at start-up; empty when beside the program
  QString mapPath;
  QString viewerDir;   // holds sys/varnel-log-viewer
  QString handOffDir;  // where the viewer's input file is written
};

// programPath: the program's own file; startDir: the working folder at start;
// configFolder: the user's configuration folder for this program.
ProgramPlaces ChoosePlaces(const QString& programPath, const QString& startDir, const QString& configFolder);

}  // namespace varnel::ui
