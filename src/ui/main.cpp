// varnel-monitor: the program's entry point. Everything else is in the library
// so that the tests can open the same windows.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app_locale.h"
#include "main_window.h"
#include "settings/app_settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("varnel-monitor");
  QApplication::setApplicationDisplayName("Varnel Monitor");
  varnel::ui::InstallRussianLocale(app);

  const QFileInfo self(QApplication::applicationFilePath());
  const QString beside = self.absolutePath() + "/" + self.completeBaseName() + ".ini";
  const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const varnel::SettingsLocation where = varnel::ChooseSettingsLocation(beside.toStdString(), configFolder.toStdString());

  varnel::ui::MainWindowOptions options;
  options.settingsPath = QString::fromStdString(where.loadPath);
  options.settingsSavePath = QString::fromStdString(where.savePath);
  if (where.inConfigFolder) {
    options.settingsNote = "Папка программы недоступна для записи, настройки хранятся в " + options.settingsSavePath;
  }
  options.mapPath = QDir::current().filePath("map.ini");
  varnel::ui::MainWindow window(options);
  window.show();
  return app.exec();
}
