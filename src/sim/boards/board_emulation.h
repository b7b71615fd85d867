#pragma once
// One emulated board of one device: takes the payload of a request to its board
// address and returns the answer body, or nothing.

#include "sim/block/device_behaviour.h"

namespace varnel::sim {

class BoardEmulation {
 public:
  virtual ~BoardEmulation() = default;
  // payload is never empty; its first byte is the command code.
  virtual CommandReply Handle(ByteView payload) = 0;
};

}  // namespace varnel::sim
