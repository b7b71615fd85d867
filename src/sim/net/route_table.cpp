#include "sim/net/route_table.h"

#include <algorithm>

namespace varnel::sim {

namespace {

constexpr std::uint8_t kAnyDevice = 15;
constexpr std::uint8_t kTerminator = 0;
constexpr std::uint8_t kLastSide = 3;
constexpr std::uint8_t kFirstBoard = 4;
constexpr std::uint8_t kLastBoard = 14;

}  // namespace

RouteTable::RouteTable(const Network& network) {
  // Probes first: a channel device with ID 15 is opened by the very address that
  // probes its channel, and the probe's answers include it anyway.
  AddProbes(network);
  AddBoards(network);
  AddOpens(network);
  for (const auto& [address, target] : targets_) {
    longest_bytes_ = std::max(longest_bytes_, (address.size() + 1) / 2);
  }
}

void RouteTable::AddProbes(const Network& network) {
  const std::vector<Device>& devices = network.Devices();
  for (std::size_t prober = 0; prober < devices.size(); ++prober) {
    for (std::uint8_t side = 0; side <= kLastSide; ++side) {
      const Nibbles address =
          Joined(devices[prober].send_route, {side, kTerminator, kAnyDevice, kTerminator});
      // Devices sharing a channel share a send Route, hence also these addresses.
      RouteTarget& target =
          targets_.try_emplace(address, RouteTarget{RouteKind::Probe, prober, side, {}})
              .first->second;
      for (std::size_t d = 0; d < devices.size(); ++d) {
        if (devices[d].master == prober && devices[d].master_side == side) {
          target.devices.push_back(d);
        }
      }
    }
  }
}

void RouteTable::AddBoards(const Network& network) {
  const std::vector<Device>& devices = network.Devices();
  for (std::size_t d = 0; d < devices.size(); ++d) {
    for (std::uint8_t board = kFirstBoard; board <= kLastBoard; ++board) {
      const Nibbles address = Joined(devices[d].send_route, {board});
      targets_.try_emplace(address, RouteTarget{RouteKind::Board, d, board, {}})
          .first->second.devices.push_back(d);
    }
  }
}

void RouteTable::AddOpens(const Network& network) {
  const std::vector<Device>& devices = network.Devices();
  // A root with ID 15 is opened by the broadcast address, which means the same.
  targets_.try_emplace({kAnyDevice, kTerminator}, RouteTarget{RouteKind::Broadcast, 0, 0, {0}});
  for (std::size_t d = 0; d < devices.size(); ++d) {
    targets_.try_emplace(Joined(devices[d].id_route, {kTerminator}),
                         RouteTarget{RouteKind::Open, d, 0, {d}});
  }
}

RouteMatch RouteTable::Find(ByteView content) const {
  // An address carries no length: the longest prefix that is a known address
  // is the address, the rest is payload. No address is longer than the longest
  // in the table, so only that much is unpacked, once, and a long request
  // costs no more than a short one.
  const std::size_t longest = std::min(content.size(), longest_bytes_);
  const Nibbles unpacked = UnpackNibbles(content.first(longest));
  for (std::size_t length = longest; length > 0; --length) {
    const auto end = unpacked.begin() + static_cast<std::ptrdiff_t>(2 * length);
    // An odd-length address ends in a padding 0 nibble.
    if (*(end - 1) == 0) {
      if (auto it = targets_.find(Nibbles(unpacked.begin(), end - 1)); it != targets_.end()) {
        return {&it->second, content.subspan(length)};
      }
    }
    if (auto it = targets_.find(Nibbles(unpacked.begin(), end)); it != targets_.end()) {
      return {&it->second, content.subspan(length)};
    }
  }
  return {};
}

}  // namespace varnel::sim
