#pragma once
// TFVKlog, "Чтение лога": the read-all loop's progress and its cancel
// button. The loop itself is the core's; this window ticks it and shows it.

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace varnel {
class EventLog;
class ReadAllSession;
class TraceLog;
}  // namespace varnel

namespace varnel::ui {

class LogReadDialog : public QDialog {
  Q_OBJECT
 public:
  // readBatch makes a row current and sends one batch from it.
  LogReadDialog(TraceLog& trace, const EventLog& log, std::function<void(int row)> readBatch,
                QWidget* parent = nullptr);
  ~LogReadDialog() override;

  // Shows the dialog (modal, not blocking the caller) and starts reading.
  void Start();
  // The last row an answer wrote, while the dialog is shown.
  void BatchDone(int lastRow);

  QLabel* progressText = nullptr;  // LabProgress
  QProgressBar* progress = nullptr;  // Progress
  QPushButton* cancel = nullptr;   // ButClose

 protected:
  void done(int result) override;

 private:
  void ShowProgress();

  std::unique_ptr<ReadAllSession> session_;
  QTimer timer_;
};

}  // namespace varnel::ui
