#include "sim/udp/traffic_record.h"

namespace varnel::sim {

TrafficRecord::TrafficRecord(std::size_t limit) : limit_(limit == 0 ? 1 : limit) {}

void TrafficRecord::Add(TrafficEntry entry) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
    if (entries_.size() > limit_) entries_.pop_front();
    ++total_;
  }
  added_.notify_all();
}

std::vector<TrafficEntry> TrafficRecord::Snapshot() const {
  std::lock_guard lock(mutex_);
  return {entries_.begin(), entries_.end()};
}

std::size_t TrafficRecord::Total() const {
  std::lock_guard lock(mutex_);
  return total_;
}

bool TrafficRecord::WaitForTotal(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return added_.wait_for(lock, timeout, [&] { return total_ >= count; });
}

}  // namespace varnel::sim
