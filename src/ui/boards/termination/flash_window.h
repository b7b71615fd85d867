#pragma once
// TFRW: the progress of a flash session. The session is the core's; this
// window runs its timer, shows its texts and closes when it says so.

#include <QDialog>
#include <QStringList>
#include <functional>

#include "flash/session.h"
#include "ui/widgets/paced_refresh.h"
#include "ui/widgets/precise_timer.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace varnel::ui {

class FlashProgressWindow : public QDialog, private FlashWindow {
  Q_OBJECT
 public:
  // answerArrival tells when the answer being handled had arrived at the
  // socket (never before it did); the pause after an answer runs from then.
  using Arrival = std::function<PreciseTimer::Clock::time_point()>;
  explicit FlashProgressWindow(FlashSession& session, QWidget* parent = nullptr, Arrival answerArrival = {});

  // Shows the window modally and runs the session until it ends.
  void Run();

  QLabel* status = nullptr;     // LabStatus
  QLabel* progress = nullptr;   // LabProgress
  QProgressBar* gauge = nullptr;
  QPlainTextEdit* memo = nullptr;  // the protocol memo of debug mode
  QPushButton* close = nullptr;    // ButClose

 protected:
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RestartTimer(int ms) override;
  void RestartAfterAnswer(int ms) override;
  void StopTimer() override { timer_.stop(); }
  void CloseWindow() override { accept(); }
  void ClearMemo() override;
  void AppendMemo(std::string_view line) override;
  void ShowState();

  FlashSession& session_;
  // The pause after an answer is the floor of every block of a transfer:
  // it must end on time, not at the next whole millisecond.
  PreciseTimer timer_;
  int interval_ = 0;
  Arrival answerArrival_;
  QStringList unshown_;  // memo lines not yet in the memo
  // Block after block the texts change every few tens of milliseconds; each
  // new label text lays the window out again, so they are shown at most
  // once per kShowMs, in the pause after an answer.
  static constexpr int kShowMs = 40;
  static constexpr int kShowLatestMs = 100;
  PacedRefresh refresh_;
};

}  // namespace varnel::ui
