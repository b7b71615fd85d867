#include "ui/boards/modem/firmware_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/names.h"

namespace varnel::ui {

ModemFirmwarePage::ModemFirmwarePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabVK_FW");
  auto* grid = new QGridLayout(this);
  version = Named(new QLabel("Считайте версию.", this), "LabVerVK");
  readVersion = Named(new QPushButton("Чтение", this), "ButVerVK");
  kind = Named(new QComboBox(this), "cbFwCpuFpga");
  kind->addItems({"MCU", "FPGA"});
  fileName = Named(new QLineEdit(this), "EditFileNameVK");
  openFile = Named(new QPushButton("...", this), "ButOpenFileVK");
  start = Named(new QPushButton("Старт", this), "ButVKFwStart");
  restart = Named(new QPushButton("Выполнить", this), "ButRstVK");
  grid->addWidget(version, 0, 0, 1, 3);
  grid->addWidget(readVersion, 0, 3);
  grid->addWidget(kind, 1, 0);
  grid->addWidget(fileName, 1, 1, 1, 2);
  grid->addWidget(openFile, 1, 3);
  grid->addWidget(start, 2, 3);
  grid->addWidget(new QLabel("Перезапуск платы", this), 3, 0, 1, 3);
  grid->addWidget(restart, 3, 3);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
}

void ModemFirmwarePage::ShowPath(const QString& path) {
  fileName->setText(path);
  fileName->setToolTip(path);
  openFile->setToolTip(path);
}

bool ModemFirmwarePage::mcuChosen() const { return kind->currentIndex() == 0; }

}  // namespace varnel::ui
