#pragma once
// A single-shot timer that fires when its interval has passed, to well under
// a millisecond: a kernel timer descriptor watched by the event loop. A plain
// QTimer wakes the loop with its timeout rounded up to whole milliseconds, so
// a 20 ms pause runs 20..22 ms; repeated block after block that alone is
// several per cent of a transfer.

#include <QObject>

class QSocketNotifier;
class QTimer;

namespace varnel::ui {

class PreciseTimer : public QObject {
  Q_OBJECT
 public:
  explicit PreciseTimer(QObject* parent = nullptr);
  ~PreciseTimer() override;

  // Fires once, ms from now; a start while running begins the interval anew.
  void start(int ms);
  void stop();
  bool isActive() const { return active_; }

 signals:
  void timeout();

 private:
  void Expired();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* fallback_ = nullptr;  // when the system gives no timer descriptor
  bool active_ = false;
};

}  // namespace varnel::ui
