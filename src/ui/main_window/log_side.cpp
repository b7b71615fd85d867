// The event log side of the main window: the log page's buttons, the
// read-all dialog, saving the log and handing it to the log viewer.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include "eventlog/log_file.h"
#include "ui/boards/modem/log_grid_model.h"
#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/log_read_dialog.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

// The viewer's folder, and its hand-off file unless the window is told otherwise.
constexpr const char* kViewerFolder = "sys";
constexpr const char* kViewerName = "varnel-log-viewer";
constexpr const char* kHandOffName = "tmp_log.log";

}  // namespace

void MainWindow::ConnectLogControls() {
  ModemLogPage* page = pages_->modem->log;
  EventLog& log = program().eventLog;
  page->Attach(log);
  connect(page, &ModemLogPage::currentRowChosen, this, [this, page, &log](int row) {
    link().trace.Trace("  Индексы: Log First=" + std::to_string(log.first()) + " Num=" + std::to_string(log.count()) +
                           " Sel=" + std::to_string(log.currentRow()) + " " + page->model->highlight().toStdString() +
                           " " + std::to_string(row),
                       0);
    log.setCurrentRow(row);
  });
  connect(page, &ModemLogPage::highlightChosen, this, [this](int column, int row, const QString& text) {
    link().trace.Trace("  DblClick:" + std::to_string(column) + " " + std::to_string(row) + text.toStdString(), 0);
  });
  connect(page->open, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButVKLog); });
  connect(page->read, &QPushButton::clicked, this, [this, page, &log] {
    log.setBatchCode(page->batchCode());
    ButRDClick(RequestSender::ButVKLogRD);
  });
  connect(page->clear, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButVKLogCLR); });
  connect(page->readAll, &QPushButton::clicked, this, &MainWindow::ReadWholeLog);
  connect(page->save, &QPushButton::clicked, this, &MainWindow::SaveLogClick);
  connect(page->view, &QPushButton::clicked, this, &MainWindow::LogViewClick);
  connect(page->clockRead, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButTimeRefrVK); });
  connect(page->clockRate, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButTimeSpeedVK); });
  connect(page->clockSet, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButTimeSyncVK); });
  connect(page->correctionUp, &QToolButton::clicked, this, [this, page] { page->StepCorrection(true, debugMode()); });
  connect(page->correctionDown, &QToolButton::clicked, this,
          [this, page] { page->StepCorrection(false, debugMode()); });
  log.onRowsWritten = [this](int lastRow) {
    if (logDialog_ != nullptr) logDialog_->BatchDone(lastRow);
  };
}

void MainWindow::ReadWholeLog() {
  if (logDialog_ == nullptr) {
    ModemLogPage* page = pages_->modem->log;
    logDialog_ = new LogReadDialog(link().trace, program().eventLog, [this, page](int row) {
      program().eventLog.setCurrentRow(row);
      program().eventLog.setBatchCode(page->batchCode());
      ButRDClick(RequestSender::ButVKLogRD);
    }, this);
  }
  logDialog_->Start();
}

void MainWindow::SaveLogClick() {
  bool logType = true;
  const QString chosen = dialogs_->saveLogFile(this, logType);
  if (chosen.isEmpty()) return;
  const QString name = Q(LogSaveName(chosen.toStdString(), logType));
  if (QFileInfo::exists(name) && !dialogs_->confirm(this, "Заменить существующий файл? \n" + name)) return;
  if (!SaveLog(name.toStdString(), program().eventLog)) dialogs_->warning(this, "Не удалось записать файл:\n" + name);
}

void MainWindow::LogViewClick() {
  const QDir sys(QDir(options_.viewerDir).filePath(kViewerFolder));
  const QDir handOffDir(options_.handOffDir.isEmpty() ? sys.path() : options_.handOffDir);
  const QString handOff = handOffDir.filePath(kHandOffName);
  const QString viewer = sys.filePath(kViewerName);
  // The file is written first, so it is there even when the viewer is not.
  if (!QDir().mkpath(handOffDir.path()) || !SaveLog(handOff.toStdString(), program().eventLog)) {
    dialogs_->warning(this, "Не удалось записать файл:\n" + handOff);
    return;
  }
  if (!QFileInfo(viewer).isExecutable()) {
    dialogs_->warning(this, "Невозможно найти файл:\n" + viewer);
    return;
  }
  QProcess::startDetached(viewer, {handOff});
}

}  // namespace varnel::ui
