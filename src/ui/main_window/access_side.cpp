// The main window's access modes and its about window.
#include <QIcon>
#include <QPushButton>

#include "ui/about/about_window.h"
#include "ui/access/access_guard.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/top_bar.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

void MainWindow::LoadAccessMode() {
  // A file that exists but could not be read may hold a password: closed.
  if (!loaded_.passwordKnown) {
    access_->LoadUnknown();
    return;
  }
  access_->Load(program().settings.passwordText);
  if (access_->locked()) link().trace.Trace(kDamagedPasswordTrace, 1);
}

void MainWindow::ButUSRClick() {
  const bool shift = usrShift_;
  usrShift_ = false;
  access_->Click(shift);
}

void MainWindow::ModeEntered(bool admin) {
  topBar_->butUSR->setIcon(QIcon(admin ? ":/USER_BLUE" : ":/USER_BLACK"));
  topBar_->butUSR->setToolTip(Display(admin ? kAdminHint : kUserHint));
  guard_->setAdmin(admin);
}

void MainWindow::PasswordChanged(const std::string& storedText) {
  program().settings.passwordText = storedText;
  SaveSettingsFile();
}

void MainWindow::ShowAbout() {
  AboutWindow about(*dialogs_, options_.manualPath, this);
  about.move(x() + 180, y() + 60);
  about.exec();
}

}  // namespace varnel::ui
