#pragma once
// Finds the network by itself: while nothing is known it broadcasts an
// identity request; afterwards it probes, one per step, every side of every
// known device except the side the device is reached through, up to a limit.

#include <algorithm>

#include "model/device_registry.h"
#include "wire/frame_sender.h"

namespace varnel {

class Exploration {
 public:
  Exploration(TraceLog& trace, DeviceRegistry& registry, FrameSender& send);

  void AutoStateStep();
  // Start over (program start, another root IP).
  void Reset() { autoState_ = 0; }

  std::uint8_t autoState() const { return autoState_; }
  // Side probes the known devices offer at this moment, limit or not.
  int Candidates() const;
  // Every side probe the limit allows has been sent; answers may follow.
  bool Exhausted() const { return registry_.inUse(1) && autoState_ >= std::min<int>(limit_, Candidates()); }
  std::uint8_t limit() const { return limit_; }
  void setLimit(std::uint8_t limit) { limit_ = limit; }

 private:
  TraceLog& trace_;
  DeviceRegistry& registry_;
  FrameSender& send_;
  std::uint8_t autoState_ = 0;
  std::uint8_t limit_ = 32;
};

}  // namespace varnel
