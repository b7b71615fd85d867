#pragma once
// One emulated board of one device: takes the payload of a request to its board
// address and returns the answer body, or nothing.

#include "sim/block/device_behaviour.h"

namespace varnel::sim {

class BoardEmulation {
 public:
  virtual ~BoardEmulation() = default;
  // A request may end right after the board address; such a one has no
  // command code and stays unanswered, whoever passes it on.
  CommandReply Handle(ByteView payload) {
    if (payload.empty()) return {std::nullopt, "no command, unanswered"};
    return Command(payload);
  }

 protected:
  // payload is never empty; its first byte is the command code.
  virtual CommandReply Command(ByteView payload) = 0;
};

}  // namespace varnel::sim
