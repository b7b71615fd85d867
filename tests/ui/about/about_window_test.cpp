// The about window from the main window's help button, and opening the manual.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ui/about/about_window.h"
#include "ui_test_support.h"

using namespace varnel::ui;
using namespace varnel::ui::testing;

TEST(AboutWindow, OpensModallyAtItsOffsetAndCloses) {
  WindowFixture f(QByteArray{});
  MainWindow& window = *f.window;
  window.move(300, 200);
  QPoint at;
  QString name, version;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    at = about->pos();
    modal = about->isModal() && about->objectName() == "TFAbout";
    name = about->findChild<QLabel*>("LabPO")->text();
    version = about->findChild<QLabel*>("LabVer")->text();
    about->findChild<QPushButton*>("ButClose")->click();
  });
  window.findChild<QPushButton*>("ButHelp")->click();  // returns once the window is closed
  EXPECT_TRUE(modal);
  EXPECT_EQ(at, window.pos() + QPoint(180, 60));
  EXPECT_EQ(name, "KT90-Varnel Monitor (Конфигуратор)");
  EXPECT_EQ(version, "v.1.43 211222");
}

TEST(AboutWindow, ManualMissingUnopenableAndOpened) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Help.pdf");
  RecordingDialogs dialogs;
  AboutWindow about(dialogs, path);
  QPushButton* help = about.findChild<QPushButton*>("ButHelp");
  ASSERT_EQ(help->text(), "Открыть справку");

  help->click();
  EXPECT_EQ(dialogs.warnings, QStringList{"Файл справки не найден. " + path});
  EXPECT_TRUE(dialogs.opened.isEmpty());

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("%PDF-1.4\n");
  file.close();
  dialogs.openWorks = false;
  help->click();
  EXPECT_EQ(dialogs.warnings.last(), "Установите программу для чтения файлов PDF:\n" + path);
  dialogs.openWorks = true;
  help->click();
  EXPECT_EQ(dialogs.opened, (QStringList{path, path}));
  EXPECT_EQ(dialogs.warnings.size(), 2);
}
