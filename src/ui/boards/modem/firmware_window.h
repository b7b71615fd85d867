#pragma once
// TFrwVK: the progress of a modem firmware transfer. The session is the
// core's; this window runs its 50 ms timer, shows its texts and closes when
// the session says so. Closing it ends the transfer.

#include <QDialog>
#include <QTimer>

#include "firmware/modem_session.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace varnel::ui {

class ModemFirmwareWindow : public QDialog {
  Q_OBJECT
 public:
  ModemFirmwareWindow(ModemFirmwareSession& session, QWidget* parent = nullptr);

  // Shows the window modally until the transfer ends or is cancelled.
  void Run();

  QLabel* progress = nullptr;  // LabProgress
  QLabel* time = nullptr;      // LabTime
  QProgressBar* gauge = nullptr;
  QPushButton* close = nullptr;  // ButClose

 protected:
  void done(int result) override;

 private:
  void ShowState();

  ModemFirmwareSession& session_;
  QTimer timer_;  // TimerRW
};

}  // namespace varnel::ui
