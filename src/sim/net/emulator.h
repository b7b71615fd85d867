#pragma once
// The emulated network as seen through one Ethernet port: the root block there and
// every device behind it. Turns request datagrams into answers.

#include "sim/net/network.h"
#include "sim/net/outcome.h"
#include "sim/net/route_table.h"

namespace varnel::sim {

class Emulator {
 public:
  // A root block alone, as the single-block command line serves it.
  explicit Emulator(Block root);
  explicit Emulator(Network network);

  const Network& GetNetwork() const { return network_; }

  // The network and the table never change after construction, so this is safe
  // on the server thread without a lock; device behaviours look after themselves.
  Outcome Handle(ByteView datagram) const;

 private:
  Outcome Identities(const RouteTarget& target, std::string note) const;
  Outcome DeviceCommand(std::size_t device, ByteView payload) const;
  Outcome BoardCommand(const RouteTarget& target, ByteView payload) const;
  Answer Framed(std::size_t device, const Nibbles& address, ByteView body) const;
  std::string Label(std::size_t device) const;

  Network network_;
  RouteTable routes_;
};

}  // namespace varnel::sim
