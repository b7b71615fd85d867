#include "ui/main_window/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace varnel::ui {

void Dialogs::warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool Dialogs::confirm(QWidget* parent, const QString& text) {
  return QMessageBox::warning(parent, QApplication::applicationDisplayName(), text,
                              QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void Dialogs::information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

}  // namespace varnel::ui
