// varnel-monitor: the program's entry point. Everything else is in the library
// so that the tests can open the same windows.
#include <QApplication>
#include <QFileInfo>

#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Varnel Monitor");
  varnel::ui::MainWindowOptions options;
  const QFileInfo self(QApplication::applicationFilePath());
  options.settingsPath = self.absolutePath() + "/" + self.completeBaseName() + ".ini";
  varnel::ui::MainWindow window(options);
  window.show();
  return app.exec();
}
