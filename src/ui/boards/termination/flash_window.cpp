#include "ui/boards/termination/flash_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

FlashProgressWindow::FlashProgressWindow(FlashSession& session, QWidget* parent, Arrival answerArrival)
    : QDialog(parent),
      session_(session),
      answerArrival_(std::move(answerArrival)),
      refresh_(kShowMs, kShowLatestMs, [this] { ShowState(); }) {
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
  connect(&timer_, &PreciseTimer::timeout, this, [this] {
    timer_.start(interval_);
    session_.Tick();
    // A request has just left: its answer is due any moment, so no repaint now.
    refresh_.later();
  });
}

void FlashProgressWindow::Run() {
  session_.Show(*this);
  refresh_.showNow();
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

// Counted from the answer's arrival, the pause does not grow by the time the
// answer waited for its turn in the event loop.
void FlashProgressWindow::RestartAfterAnswer(int ms) {
  interval_ = ms;
  const auto now = PreciseTimer::Clock::now();
  const auto arrived = answerArrival_ ? std::min(answerArrival_(), now) : now;
  timer_.startAt(arrived + std::chrono::milliseconds(ms));
  refresh_.request();
}

void FlashProgressWindow::ShowState() {
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
      refresh_.showNow();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FlashProgressWindow::done(int result) {
  timer_.stop();
  refresh_.cancel();
  session_.Close();
  QDialog::done(result);
}

}  // namespace varnel::ui
