#include "network/exploration.h"

#include "wire/frame.h"

namespace varnel {

Exploration::Exploration(TraceLog& trace, DeviceRegistry& registry, FrameSender& send)
    : trace_(trace), registry_(registry), send_(send) {}

int Exploration::Candidates() const {
  int count = 0;
  for (int d = 1; d <= kMaxDevices; ++d) {
    if (registry_.inUse(d)) count += registry_.device(d).upConn <= 3 ? 3 : 4;
  }
  return count;
}

void Exploration::AutoStateStep() {
  if (!registry_.inUse(1)) {
    send_.SendFrame(BroadcastIdentityRequest());
    return;
  }
  if (autoState_ >= limit_) return;
  // Candidates in order: devices 1..128 in use, sides 0..3 without the up side.
  int position = 0;
  for (int d = 1; d <= kMaxDevices; ++d) {
    if (!registry_.inUse(d)) continue;
    const TStructDev& dev = registry_.device(d);
    for (int side = 0; side <= 3; ++side) {
      if (side == dev.upConn) continue;
      if (position++ != autoState_) continue;
      ++autoState_;
      if (trace_.wants(0)) {
        trace_.Trace("AutoState=" + std::to_string(autoState_) + " Dev=" + std::to_string(d) +
                         " ch=" + std::to_string(side),
                     0);
      }
      send_.SendFrame(SideProbeRequest(dev.sendRoute, side));
      return;
    }
  }
}

}  // namespace varnel
