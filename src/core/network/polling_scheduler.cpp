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

}  // namespace varnel
