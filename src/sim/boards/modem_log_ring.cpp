#include "sim/boards/modem_log_ring.h"

#include <algorithm>

namespace varnel::sim {

void LogRing::Write(const LogEntry& entry) {
  slots_[last_] = entry;
  last_ = Wrapped(last_ + 1u);
  size_ = std::min<std::size_t>(size_ + 1, kLogCapacity);
}

void LogRing::Restart(std::uint64_t skipped) {
  last_ = Wrapped(last_ + skipped);
  size_ = 0;
}

LogBatch LogRing::Read(unsigned index, std::size_t most) const {
  LogBatch batch{Wrapped(index), {}};
  // Entries up to LastN counted from `index`: 1 for the newest, 0 for LastN itself.
  const std::size_t ahead = Wrapped(last_ + kLogSlots - batch.first);
  if (ahead == 0 || ahead > size_) return batch;
  const std::size_t count = std::min(most, ahead);
  for (std::size_t i = 0; i < count; ++i) {
    batch.entries.push_back(slots_[Wrapped(batch.first + i)]);
  }
  return batch;
}

}  // namespace varnel::sim
