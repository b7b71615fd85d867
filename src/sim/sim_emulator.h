#pragma once
// The emulated network as seen through one Ethernet port: the root block there,
// later also the devices behind its HF channels. Turns request datagrams into answers.

#include "sim_block.h"
#include "sim_outcome.h"

namespace varnel::sim {

class Emulator {
 public:
  explicit Emulator(Block root);

  const Block& Root() const { return root_; }

  // Immutable so far, hence safe to call from the server thread without a lock.
  Outcome Handle(ByteView datagram) const;

 private:
  Outcome HandleDeviceLevel(std::uint8_t first_nibble, ByteView payload) const;

  Block root_;
};

}  // namespace varnel::sim
