#include "network/polling_scheduler.h"

namespace varnel {

void PollingScheduler::Tick() {
  if (counter_.Tick()) {
    if (actions_.refreshClock) actions_.refreshClock();
    if (actions_.explore) actions_.explore();
  }
  if (period_ == 0) return;
  if (actions_.autoReadAllowed && !actions_.autoReadAllowed()) {
    period_ = 0;  // stays off until the operator sets it again
    return;
  }
  if (counter_.ms() % (static_cast<std::uint32_t>(period_) * 1000) == 0 && actions_.readSelectedBoard) {
    actions_.readSelectedBoard();
  }
}

bool AutoReadAllowed(int slot, bool modemChannelPageShown, std::uint8_t ver1, std::uint8_t ver2) {
  if (slot == 4) return modemChannelPageShown;
  if (slot >= 1 && slot <= 3) return ver1 != 0 || ver2 != 0;
  return false;
}

}  // namespace varnel
