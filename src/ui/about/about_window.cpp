#include "ui/about/about_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/main_window/dialogs.h"
#include "ui/widgets/names.h"

namespace varnel::ui {

AboutWindow::AboutWindow(Dialogs& dialogs, QString manualPath, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), manualPath_(std::move(manualPath)) {
  setObjectName("TFAbout");
  setWindowTitle("О программе");
  setModal(true);

  auto* picture = Named(new QLabel(this), "ImageAbout");
  picture->setPixmap(QPixmap(":/ABOUT"));
  auto* name = Named(new QLabel(kProgramName, this), "LabPO");
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* version = Named(new QLabel(kProgramVersion, this), "LabVer");
  auto* texts = new QVBoxLayout;
  texts->addStretch(1);
  texts->addWidget(name);
  texts->addWidget(version);
  texts->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addSpacing(12);
  top->addLayout(texts, 1);

  auto* help = Named(new QPushButton("Открыть справку", this), "ButHelp");
  auto* close = Named(new QPushButton("Закрыть", this), "ButClose");
  connect(help, &QPushButton::clicked, this, &AboutWindow::OpenManual);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addSpacing(12);
  column->addLayout(buttons);
  close->setDefault(true);
}

void AboutWindow::OpenManual() {
  if (!QFileInfo(manualPath_).isFile()) {
    dialogs_.warning(this, "Файл справки не найден. " + manualPath_);
  } else if (!dialogs_.openDocument(manualPath_)) {
    dialogs_.warning(this, "Установите программу для чтения файлов PDF:\n" + manualPath_);
  }
}

}  // namespace varnel::ui
