#pragma once
// The common timer's work: every 100 ms tick advances the counter; each
// whole second refreshes the clock and takes one exploration step; with
// automatic reading on, the selected board is read every p seconds.

#include <functional>

#include "network/poll_counter.h"

namespace varnel {

class PollingScheduler {
 public:
  struct Actions {
    std::function<void()> refreshClock;
    std::function<void()> explore;
    std::function<bool()> autoReadAllowed;
    std::function<void()> readSelectedBoard;
  };

  explicit PollingScheduler(Actions actions) : actions_(std::move(actions)) {}

  void Tick();
  void Reset() { counter_.reset(); }

  // Seconds between automatic reads; 0 = off.
  std::uint8_t autoReadPeriod() const { return period_; }
  void setAutoReadPeriod(std::uint8_t seconds) { period_ = seconds; }
  const PollCounter& counter() const { return counter_; }
  PollCounter& counter() { return counter_; }

 private:
  Actions actions_;
  PollCounter counter_;
  std::uint8_t period_ = 0;
};

// Automatic reading makes sense for the modem board's channel page and for a
// termination board that has answered its first status read.
bool AutoReadAllowed(int slot, bool modemChannelPageShown, std::uint8_t ver1, std::uint8_t ver2);

}  // namespace varnel
