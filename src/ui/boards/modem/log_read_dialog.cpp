#include "ui/boards/modem/log_read_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "eventlog/read_all_session.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

LogReadDialog::LogReadDialog(TraceLog& trace, const EventLog& log, std::function<void(int row)> readBatch,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("TFVKlog");
  setWindowTitle("Чтение лога");
  setModal(true);
  session_ = std::make_unique<ReadAllSession>(
      trace, log, ReadAllSession::Actions{std::move(readBatch), [this] { accept(); }});
  auto* column = new QVBoxLayout(this);
  progressText = Named(new QLabel(this), "LabProgress");
  progress = Named(new QProgressBar(this), "Progress");
  progress->setRange(0, 100);
  cancel = Named(new QPushButton("Отмена", this), "ButClose");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  column->addWidget(progressText);
  column->addWidget(progress);
  column->addWidget(cancel, 0, Qt::AlignRight);
  timer_.setInterval(ReadAllSession::kTickMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    session_->Tick(ReadAllSession::kTickMs);
    ShowProgress();
  });
}

LogReadDialog::~LogReadDialog() = default;

void LogReadDialog::Start() {
  session_->Start();
  ShowProgress();
  show();
  timer_.start();
}

void LogReadDialog::BatchDone(int lastRow) {
  if (isVisible()) session_->BatchDone(lastRow);
}

void LogReadDialog::done(int result) {
  // Closing, by itself or by "Отмена", stops the loop and its timer.
  timer_.stop();
  session_->Stop();
  QDialog::done(result);
}

void LogReadDialog::ShowProgress() {
  progressText->setText(Q(session_->progressText()));
  progress->setValue(session_->gauge());
}

}  // namespace varnel::ui
