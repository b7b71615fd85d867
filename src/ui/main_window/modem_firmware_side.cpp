// The modem board's firmware page: the stored program paths, choosing a
// file, and a transfer run in its progress window.
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "firmware/modem_image.h"
#include "ui/boards/modem/firmware_page.h"
#include "ui/boards/modem/firmware_window.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

ModemFirmwareKind ChosenKind(const ModemFirmwarePage& page) {
  return page.mcuChosen() ? ModemFirmwareKind::Mcu : ModemFirmwareKind::Fpga;
}

}  // namespace

void MainWindow::ConnectModemFirmwareControls() {
  ModemFirmwarePage* page = pages_->modem->firmware;
  connect(page->kind, &QComboBox::currentIndexChanged, this, &MainWindow::ShowModemProgramPath);
  connect(pages_->modem, &ModemPanel::pageChanged, this, [this] {
    if (pages_->modem->page() == ModemPanel::kFirmware) ShowModemProgramPath();
  });
  connect(page->openFile, &QPushButton::clicked, this, &MainWindow::ChooseModemProgram);
  // A name typed into the field is the one a start reads.
  connect(page->fileName, &QLineEdit::editingFinished, this,
          [this, page] { ModemProgramPath(ChosenKind(*page)) = page->fileName->text().toStdString(); });
  connect(page->start, &QPushButton::clicked, this, &MainWindow::StartModemFirmware);
  connect(page->restart, &QPushButton::clicked, this, [this] { SendRestart(this); });
}

std::string& MainWindow::ModemProgramPath(ModemFirmwareKind kind) {
  AppSettings& s = program().settings;
  return kind == ModemFirmwareKind::Mcu ? s.mcuFile : s.fpgaFile;
}

void MainWindow::ShowModemProgramPath() {
  ModemFirmwarePage* page = pages_->modem->firmware;
  page->ShowPath(Q(ModemProgramPath(ChosenKind(*page))));
}

void MainWindow::ChooseModemProgram() {
  ModemFirmwarePage* page = pages_->modem->firmware;
  const ModemFirmwareKind kind = ChosenKind(*page);
  const QString filter = kind == ModemFirmwareKind::Mcu ? "Файлы программы MCU (*.cbi)" : "Файлы программы FPGA (*.lbi)";
  const QString current = Q(ModemProgramPath(kind));
  const QString chosen = dialogs_->openModemProgram(this, filter, current);
  if (chosen != current && !QFileInfo::exists(chosen)) dialogs_->warning(this, "Файл не найден: " + chosen);
  ModemProgramPath(kind) = chosen.toStdString();
  page->ShowPath(chosen);
}

void MainWindow::StartModemFirmware() {
  ModemFirmwarePage* page = pages_->modem->firmware;
  if (!dialogs_->confirm(this, "Будет произведена запись ПО в плату. Продолжить?")) return;
  ModemImageLoad load = LoadModemImage(page->fileName->text().toStdString());
  for (const std::string& line : load.trace) link().trace.Trace(line, 1);
  if (!load.image) {
    link().trace.Trace(load.error, 1);
    // Not only in the trace: the operator pressed "Старт" and must see why nothing runs.
    dialogs_->warning(this, Display(load.error));
    return;
  }
  ModemFirmwareSession& session = program().modemFirmware;
  session.Prepare(ChosenKind(*page), std::move(*load.image));
  // Board answers are taken only while a request of the operator's runs.
  link().request.requestMode = kWriteRequest;
  ModemFirmwareWindow progress(session, this);
  progress.Run();
}

}  // namespace varnel::ui
