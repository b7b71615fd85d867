#pragma once
// TFRW: the progress of a flash session. The session is the core's; this
// window runs its timer, shows its texts and closes when it says so.

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include "flash/session.h"
#include "ui/widgets/precise_timer.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace varnel::ui {

class FlashProgressWindow : public QDialog, private FlashWindow {
  Q_OBJECT
 public:
  FlashProgressWindow(FlashSession& session, QWidget* parent = nullptr);

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
  void StopTimer() override { timer_.stop(); }
  void CloseWindow() override { accept(); }
  void ClearMemo() override;
  void AppendMemo(std::string_view line) override;
  void ShowState();
  void ShowStateSoon();

  FlashSession& session_;
  // The pause after an answer is the floor of every block of a transfer:
  // it must end on time, not at the next whole millisecond.
  PreciseTimer timer_;
  int interval_ = 0;
  QStringList unshown_;  // memo lines not yet in the memo
  // Block after block the texts change every few tens of milliseconds; each
  // new label text lays the window out again, so they are shown at most
  // once per kShowMs.
  static constexpr int kShowMs = 40;
  QTimer showTimer_;
};

}  // namespace varnel::ui
