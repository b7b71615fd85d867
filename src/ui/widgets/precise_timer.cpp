#include "ui/widgets/precise_timer.h"

#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdint>

namespace varnel::ui {

namespace {

constexpr long long kNsPerSecond = 1000000000;

}  // namespace

PreciseTimer::PreciseTimer(QObject* parent) : QObject(parent) {
  // The kernel may otherwise defer our wake-ups by 50 us to batch them.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
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

void PreciseTimer::start(int ms) { startAt(Clock::now() + std::chrono::milliseconds(std::max(ms, 0))); }

void PreciseTimer::startAt(Clock::time_point deadline) {
  active_ = true;
  deadline_ = deadline;
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
  if (fallback_ != nullptr) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return fallback_->start(static_cast<int>(std::max<long long>(ms, 0)));
  }
  // A zero value would disarm the descriptor: a deadline due now fires after 1 ns.
  const long long ns = std::max<long long>((left - kEarlyWake).count(), 1);
  itimerspec expiry{};
  expiry.it_value.tv_sec = static_cast<time_t>(ns / kNsPerSecond);
  expiry.it_value.tv_nsec = static_cast<long>(ns % kNsPerSecond);
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
  // Woken early on purpose: the rest, at most kEarlyWake, is waited out here
  // rather than trusted to another wake-up.
  if (deadline_ - Clock::now() > kEarlyWake) return startAt(deadline_);
  while (Clock::now() < deadline_) {
  }
  active_ = false;
  emit timeout();
}

}  // namespace varnel::ui
