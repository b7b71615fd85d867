#include "ui/launch/run.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/app_settings.h"
#include "ui/launch/app_locale.h"
#include "ui/launch/hints.h"
#include "ui/main_window/main_window.h"

namespace varnel::ui {

int RunMonitor(int argc, char** argv) {
  QApplication app(argc, argv);
  // The name only places the user's settings folder. No display name: the
  // window system would append it to the caption, which must stay exact.
  QApplication::setApplicationName("varnel-monitor");
  InstallRussianLocale(app);
  InstallHintStyle(app);

  const QFileInfo self(QApplication::applicationFilePath());
  const QString beside = self.absolutePath() + "/" + self.completeBaseName() + ".ini";
  const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const SettingsLocation where = ChooseSettingsLocation(beside.toStdString(), configFolder.toStdString());

  MainWindowOptions options;
  options.settingsPath = QString::fromStdString(where.loadPath);
  options.settingsSavePath = QString::fromStdString(where.savePath);
  if (where.inConfigFolder) {
    options.settingsNote = "Папка программы недоступна для записи, настройки хранятся в " + options.settingsSavePath;
  }
  options.mapPath = QDir::current().filePath("map.ini");
  MainWindow window(options);
  window.show();
  return app.exec();
}

}  // namespace varnel::ui
