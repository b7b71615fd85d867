#include "viewer/run.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "viewer/viewer_window.h"

namespace varnel::viewer {

namespace {

// Qt's own dialogs and editors in Russian, like the rest of the window.
void UseRussian(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  auto* qtTexts = new QTranslator(&app);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (qtTexts->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
    QApplication::installTranslator(qtTexts);
  }
}

}  // namespace

int RunViewer(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varnel-log-viewer"));
  UseRussian(app);
  ViewerWindow window;
  window.show();
  // Arguments as Qt decodes them, so that file names in any script work.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.openOrWarn(arguments.at(1));
  return app.exec();
}

}  // namespace varnel::viewer
