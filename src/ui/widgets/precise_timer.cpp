#include "ui/widgets/precise_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>

namespace varnel::ui {

PreciseTimer::PreciseTimer(QObject* parent) : QObject(parent) {
  fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (fd_ < 0) {
    fallback_ = new QTimer(this);
    fallback_->setSingleShot(true);
    fallback_->setTimerType(Qt::PreciseTimer);
    connect(fallback_, &QTimer::timeout, this, &PreciseTimer::Expired);
    return;
  }
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &PreciseTimer::Expired);
}

PreciseTimer::~PreciseTimer() {
  if (fd_ >= 0) close(fd_);
}

void PreciseTimer::start(int ms) {
  active_ = true;
  if (fallback_ != nullptr) return fallback_->start(ms);
  itimerspec expiry{};
  // A zero value would disarm the descriptor: 0 ms fires after 1 ns.
  const long long ns = ms > 0 ? static_cast<long long>(ms) * 1000000 : 1;
  expiry.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
  expiry.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
  timerfd_settime(fd_, 0, &expiry, nullptr);
}

void PreciseTimer::stop() {
  active_ = false;
  if (fallback_ != nullptr) return fallback_->stop();
  const itimerspec disarmed{};
  timerfd_settime(fd_, 0, &disarmed, nullptr);
}

void PreciseTimer::Expired() {
  if (fd_ >= 0) {
    std::uint64_t expirations = 0;
    // Nothing to read: the timer was re-armed or stopped since it expired.
    if (read(fd_, &expirations, sizeof expirations) != static_cast<ssize_t>(sizeof expirations)) return;
  }
  if (!active_) return;
  active_ = false;
  emit timeout();
}

}  // namespace varnel::ui
