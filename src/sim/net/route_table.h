#pragma once
// Every request address the devices of one network respond to, and who responds.

#include <map>

#include "sim/net/network.h"

namespace varnel::sim {

enum class RouteKind {
  Broadcast,  // 15, 0: the root block
  Open,       // ID Route, 0: that device; a payload makes it a device command
  Probe,      // send Route, side, 0, 15, 0: whatever is attached to that side
  Board,      // send Route, board address: that board of the device(s) there
};

struct RouteTarget {
  RouteKind kind = RouteKind::Open;
  std::size_t device = 0;          // the addressed device; for a probe, the prober
  std::uint8_t number = 0;         // the probed side or the board address
  std::vector<std::size_t> devices;  // who answers, in scenario order; may be empty
};

struct RouteMatch {
  const RouteTarget* target = nullptr;  // none: no device has this address
  ByteView payload;                     // what follows the address bytes
};

class RouteTable {
 public:
  explicit RouteTable(const Network& network);

  // content: a request without direction byte and checksum.
  RouteMatch Find(ByteView content) const;

 private:
  void AddProbes(const Network& network);
  void AddBoards(const Network& network);
  void AddOpens(const Network& network);

  std::map<Nibbles, RouteTarget> targets_;
  std::size_t longest_bytes_ = 0;  // of the longest address, packed
};

}  // namespace varnel::sim
