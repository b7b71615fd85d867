#pragma once
// The power board (slot 10, address 0x0E): the program only waits for an answer
// with code 01, so it gets a short one with a version and the supply voltage.

#include "sim/boards/board_emulation.h"

namespace varnel::sim {

class PowerBoard final : public BoardEmulation {
 public:
  CommandReply Command(ByteView payload) override;
};

}  // namespace varnel::sim
