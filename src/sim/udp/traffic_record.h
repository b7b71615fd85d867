#pragma once
// Thread-safe record of the datagrams a server received and sent.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "sim/udp/peer.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

enum class Direction { Received, Sent };

struct TrafficEntry {
  Direction direction = Direction::Received;
  Peer peer;  // the sender of a received datagram, the addressee of a sent one
  Bytes bytes;
};

class TrafficRecord {
 public:
  // Only the newest `limit` entries are kept, so a long run cannot eat memory.
  explicit TrafficRecord(std::size_t limit = 10000);

  void Add(TrafficEntry entry);
  std::vector<TrafficEntry> Snapshot() const;
  // Entries ever added, including those dropped for the limit.
  std::size_t Total() const;
  // True once Total() reaches count; false when the timeout passes first.
  bool WaitForTotal(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  const std::size_t limit_;
  mutable std::mutex mutex_;
  mutable std::condition_variable added_;
  std::deque<TrafficEntry> entries_;
  std::size_t total_ = 0;
};

}  // namespace varnel::sim
