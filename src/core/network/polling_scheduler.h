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
    // A write's answer is still awaited: a read sent now would take the
    // place of the awaited answer, and the write's acknowledgement would be
    // taken for the read's.
    std::function<bool()> writeAwaited;
  };
  // How long a due read waits for a write's answer before it goes anyway.
  static constexpr std::uint32_t kWriteWaitMs = 3000;

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
  bool readDue_ = false;
  std::uint32_t writeWaitMs_ = 0;
};

// Automatic reading makes sense for the modem board's channel page and for a
// termination board that has answered its first status read.
bool AutoReadAllowed(int slot, bool modemChannelPageShown, std::uint8_t ver1, std::uint8_t ver2);

}  // namespace varnel
