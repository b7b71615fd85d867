#include "ui/launch/app_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace varnel::ui {

bool InstallRussianLocale(QCoreApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Russian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace varnel::ui
