#pragma once
// The other end of a datagram: IPv4 address text and UDP port.

#include <cstdint>
#include <string>

namespace varnel::sim {

struct Peer {
  std::string address;
  std::uint16_t port = 0;

  std::string Text() const { return address + ":" + std::to_string(port); }
  bool operator==(const Peer&) const = default;
};

}  // namespace varnel::sim
