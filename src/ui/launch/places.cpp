#include "ui/launch/places.h"

#include <QDir>
#include <QFileInfo>

#include "settings/app_settings.h"

namespace varnel::ui {

ProgramPlaces ChoosePlaces(const QString& programPath, const QString& startDir, const QString& configFolder) {
  const QFileInfo self(programPath);
  const QString beside = self.absolutePath() + "/" + self.completeBaseName() + ".ini";
  const SettingsLocation where = ChooseSettingsLocation(beside.toStdString(), configFolder.toStdString());

  ProgramPlaces places;
  places.settingsPath = QString::fromStdString(where.loadPath);
  places.settingsSavePath = QString::fromStdString(where.savePath);
  if (!where.inConfigFolder) {
    places.mapPath = QDir(startDir).filePath("map.ini");
    places.viewerDir = startDir;
    places.handOffDir = QDir(startDir).filePath("sys");
    return places;
  }
  places.settingsNote = "Папка программы недоступна для записи, настройки хранятся в " + places.settingsSavePath;
  places.mapPath = QDir(configFolder).filePath("map.ini");
  places.viewerDir = self.absolutePath();
  places.handOffDir = configFolder;
  return places;
}

}  // namespace varnel::ui
