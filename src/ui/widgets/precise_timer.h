#pragma once
// A single-shot timer that fires when its interval has passed, to well under
// a millisecond: a kernel timer descriptor watched by the event loop. A plain
// QTimer wakes the loop with its timeout rounded up to whole milliseconds, so
// a 20 ms pause runs 20..22 ms; repeated block after block that alone is
// several per cent of a transfer.
//
// Waking takes a tenth of a millisecond or more on a busy machine, so the
// descriptor is armed a little early and the last part is waited out here:
// the timer never fires before its deadline and seldom much after it.

#include <QObject>
#include <chrono>

class QSocketNotifier;
class QTimer;

namespace varnel::ui {

class PreciseTimer : public QObject {
  Q_OBJECT
 public:
  using Clock = std::chrono::steady_clock;
  // How early the descriptor wakes the loop; at most this much is spent
  // waiting on the processor per expiry.
  static constexpr std::chrono::microseconds kEarlyWake{250};

  explicit PreciseTimer(QObject* parent = nullptr);
  ~PreciseTimer() override;

  // Fires once, ms from now; a start while running begins the interval anew.
  void start(int ms);
  // Fires once at the deadline (at once when it has passed).
  void startAt(Clock::time_point deadline);
  void stop();
  bool isActive() const { return active_; }

 signals:
  void timeout();

 private:
  void Expired();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* fallback_ = nullptr;  // when the system gives no timer descriptor
  Clock::time_point deadline_;
  bool active_ = false;
};

}  // namespace varnel::ui
