#include "ui/boards/termination/flash_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

FlashProgressWindow::FlashProgressWindow(FlashSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("TFRW");
  setModal(true);
  auto* column = new QVBoxLayout(this);
  status = Named(new QLabel(this), "LabStatus");
  progress = Named(new QLabel(this), "LabProgress");
  gauge = Named(new QProgressBar(this), "Gauge");
  gauge->setRange(0, 100);
  memo = Named(new QPlainTextEdit(this), "MemoRW");
  memo->setReadOnly(true);
  close = Named(new QPushButton("Закрыть", this), "ButClose");
  close->installEventFilter(this);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  for (QWidget* w : std::initializer_list<QWidget*>{status, progress, gauge, memo}) column->addWidget(w);
  column->addWidget(close, 0, Qt::AlignRight);
  showTimer_.setSingleShot(true);
  showTimer_.setInterval(kShowMs);
  connect(&showTimer_, &QTimer::timeout, this, &FlashProgressWindow::ShowState);
  connect(&timer_, &PreciseTimer::timeout, this, [this] {
    timer_.start(interval_);
    session_.Tick();
    ShowStateSoon();
  });
}

void FlashProgressWindow::Run() {
  session_.Show(*this);
  ShowState();
  exec();
}

// The session restarts the timer at every tick that does not end the job;
// should one not, the interval repeats as a timer's does.
void FlashProgressWindow::RestartTimer(int ms) {
  interval_ = ms;
  timer_.start(ms);
}

void FlashProgressWindow::ClearMemo() {
  memo->clear();
  unshown_.clear();
}

// Laying out a kilobyte of hex text per block costs more than the block's
// round trip: lines wait here until the memo is shown (debug mode).
void FlashProgressWindow::AppendMemo(std::string_view line) { unshown_ << Q(std::string(line)); }

void FlashProgressWindow::ShowStateSoon() {
  if (!showTimer_.isActive()) showTimer_.start();
}

void FlashProgressWindow::ShowState() {
  showTimer_.stop();
  setWindowTitle(Q(session_.caption()));
  status->setText(Q(session_.status()));
  progress->setText(Q(session_.progress()));
  gauge->setValue(session_.gauge());
  memo->setVisible(session_.memoVisible());
  if (session_.memoVisible() && !unshown_.isEmpty()) {
    memo->appendPlainText(unshown_.join('\n'));
    unshown_.clear();
  }
  if (height() != session_.windowHeight()) resize(width(), session_.windowHeight());
}

bool FlashProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  // Shift+Ctrl+click on "Закрыть" stops the session but keeps the window for a look.
  if (watched == close && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto both = Qt::ShiftModifier | Qt::ControlModifier;
    if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & both) == both) {
      session_.DebugStop();
      ShowState();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FlashProgressWindow::done(int result) {
  timer_.stop();
  showTimer_.stop();
  session_.Close();
  QDialog::done(result);
}

}  // namespace varnel::ui
