#pragma once
// The slots of the modem board's event log. Indices are 12 bits wide and all
// arithmetic on them wraps at 4096; LastN is the slot after the newest entry.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/boards/modem_log_settings.h"

namespace varnel::sim {

struct LogEntry {
  std::uint8_t board = 0;   // the board that raised the event
  std::uint32_t stamp = 0;  // 27 bits
  std::uint16_t code = 0;

  bool operator==(const LogEntry&) const = default;
};

// What a read finds: the index asked for and the entries from it on.
struct LogBatch {
  std::uint16_t first = 0;
  std::vector<LogEntry> entries;
};

class LogRing {
 public:
  explicit LogRing(unsigned last) : last_(Wrapped(last)) {}

  std::uint16_t Last() const { return last_; }
  std::size_t Size() const { return size_; }

  // Into slot LastN, overwriting the oldest entry once the log is full.
  void Write(const LogEntry& entry);
  // Every entry gone, LastN moved on by `skipped` (entries never read).
  void Restart(std::uint64_t skipped = 0);

  // Up to `most` entries from `index` on, none past LastN; none at all when the
  // slot at `index` holds no entry.
  LogBatch Read(unsigned index, std::size_t most) const;

  static std::uint16_t Wrapped(std::uint64_t index) {
    return static_cast<std::uint16_t>(index % kLogSlots);
  }

 private:
  std::array<LogEntry, kLogSlots> slots_{};
  std::uint16_t last_;
  std::size_t size_ = 0;
};

}  // namespace varnel::sim
