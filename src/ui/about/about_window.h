#pragma once
// TFAbout ("О программе"): the program's name and version, a picture, and
// the button that opens the user manual, a PDF file beside the program.

#include <QDialog>

namespace varnel::ui {

class Dialogs;

constexpr const char* kProgramName = "KT90-Varnel Monitor (Конфигуратор)";
constexpr const char* kProgramVersion = "v.1.43 211222";

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  // manualPath: where "Help.pdf" is expected (the program's folder).
  AboutWindow(Dialogs& dialogs, QString manualPath, QWidget* parent = nullptr);

  // A missing file and a desktop that cannot open it are each told apart.
  void OpenManual();

 private:
  Dialogs& dialogs_;
  const QString manualPath_;
};

}  // namespace varnel::ui
