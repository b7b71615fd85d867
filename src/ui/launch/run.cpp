#include "ui/launch/run.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "ui/launch/app_locale.h"
#include "ui/launch/hints.h"
#include "ui/launch/places.h"
#include "ui/main_window/main_window.h"

namespace varnel::ui {

int RunMonitor(int argc, char** argv) {
  QApplication app(argc, argv);
  // The name only places the user's settings folder. No display name: the
  // window system would append it to the caption, which must stay exact.
  QApplication::setApplicationName("varnel-monitor");
  InstallRussianLocale(app);
  InstallHintStyle(app);

  const ProgramPlaces places =
      ChoosePlaces(QApplication::applicationFilePath(), QDir::currentPath(),
                   QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));

  MainWindowOptions options;
  options.settingsPath = places.settingsPath;
  options.settingsSavePath = places.settingsSavePath;
  options.settingsNote = places.settingsNote;
  options.mapPath = places.mapPath;
  options.viewerDir = places.viewerDir;
  options.handOffDir = places.handOffDir;
  MainWindow window(options);
  window.show();
  return app.exec();
}

}  // namespace varnel::ui
