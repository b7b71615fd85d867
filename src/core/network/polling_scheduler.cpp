#include "network/polling_scheduler.h"

namespace varnel {

void PollingScheduler::Tick() {
  if (counter_.Tick()) {
    if (actions_.refreshClock) actions_.refreshClock();
    if (actions_.explore) actions_.explore();
  }
  if (period_ == 0) {
    readDue_ = false;
    return;
  }
  if (actions_.autoReadAllowed && !actions_.autoReadAllowed()) {
    period_ = 0;  // stays off until the operator sets it again
    readDue_ = false;
    return;
  }
  const bool writing = actions_.writeAwaited && actions_.writeAwaited();
  writeWaitMs_ = writing ? writeWaitMs_ + PollCounter::kTickMs : 0;
  if (counter_.ms() % (static_cast<std::uint32_t>(period_) * 1000) == 0) readDue_ = true;
  if (!readDue_ || (writing && writeWaitMs_ < kWriteWaitMs)) return;
  readDue_ = false;
  if (actions_.readSelectedBoard) actions_.readSelectedBoard();
}

bool AutoReadAllowed(int slot, bool modemChannelPageShown, std::uint8_t ver1, std::uint8_t ver2) {
  if (slot == 4) return modemChannelPageShown;
  if (slot >= 1 && slot <= 3) return ver1 != 0 || ver2 != 0;
  return false;
}

}  // namespace varnel
