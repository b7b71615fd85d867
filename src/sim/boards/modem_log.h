#pragma once
// The modem board's event log: a made-up past written at the start, new entries
// as time passes, reads in batches and clearing.

#include <cstdint>
#include <vector>

#include "sim/boards/modem_clock.h"
#include "sim/boards/modem_log_events.h"
#include "sim/boards/modem_log_ring.h"

namespace varnel::sim {

// An answer is the code and H, then the entries: W (4 bytes) and the message code.
inline constexpr std::size_t kLogAnswerHead = 4;
inline constexpr std::size_t kLogEntryBytes = 6;

class ModemLog {
 public:
  // The newest entry of the made-up past lies shortly before `now`, the others
  // about an hour and a half apart.
  ModemLog(const ModemSettings& settings, std::uint8_t device_id, std::int64_t now,
           const ModemClock& clock);

  // Writes the entries that fell due up to `now`, each stamped at its own time.
  void CatchUp(std::int64_t now, const ModemClock& clock);
  // A clock the program sets is no longer unset; an unreadable one stays so.
  void ClockSet();
  void Clear() { ring_.Restart(); }

  // 09, H = first index + 4096 LastN (3 bytes), then up to `most` entries from
  // `index` on, 6 bytes each.
  Bytes Answer(unsigned index, std::size_t most) const;

 private:
  LogEntry Stamped(std::uint64_t n, std::int64_t t, const ModemClock& clock) const;

  std::vector<EventKind> cycle_;
  std::uint8_t device_id_;
  LogClock clock_kind_;
  unsigned per_minute_;
  std::int64_t start_;
  std::uint64_t initial_;  // entries of the made-up past
  std::uint64_t written_;  // entries ever made, the past included
  LogRing ring_;
};

}  // namespace varnel::sim
