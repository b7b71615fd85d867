#include "ui/main_window/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QUrl>
#include <QMessageBox>

namespace varnel::ui {

namespace {

// The application's title; the window caption is the main window's own.
const QString kTitle = "Varnel Monitor";
const QString kLogFilter = "Файлы логов (*.log)";

}  // namespace

void Dialogs::warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok);
}

bool Dialogs::confirm(QWidget* parent, const QString& text) {
  return QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void Dialogs::information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text, QMessageBox::Ok);
}

QString Dialogs::saveLogFile(QWidget* parent, bool& logTypeChosen) {
  QString chosenFilter;
  // The program asks about replacing a file itself, after adding ".log".
  const QString name = QFileDialog::getSaveFileName(parent, kTitle, {}, kLogFilter + ";;Все файлы (*)", &chosenFilter,
                                                    QFileDialog::DontConfirmOverwrite);
  logTypeChosen = chosenFilter == kLogFilter;
  return name;
}

QString Dialogs::openUpdateFile(QWidget* parent, const QString& current) {
  const QString name = QFileDialog::getOpenFileName(parent, kTitle, current, "Файлы обновления SL (*.qrb)");
  return name.isEmpty() ? current : name;
}

bool Dialogs::askPassword(QWidget* parent, const QString& caption, const QString& prompt, QString& entry) {
  bool ok = false;
  entry = QInputDialog::getText(parent, caption, prompt, QLineEdit::Password, QString(), &ok);
  return ok;
}

bool Dialogs::openDocument(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

bool Dialogs::inputText(QWidget* parent, const QString& title, const QString& prompt, QString& text) {
  bool ok = false;
  const QString typed = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &ok);
  if (ok) text = typed;
  return ok;
}

QString Dialogs::openModemProgram(QWidget* parent, const QString& filter, const QString& current) {
  // Not limited to existing files: a name typed that is not there gets the caller's warning.
  QFileDialog dialog(parent, kTitle, current, filter);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.selectFile(current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return current;
  return dialog.selectedFiles().front();
}

}  // namespace varnel::ui
