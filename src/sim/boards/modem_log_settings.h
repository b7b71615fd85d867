#pragma once
// What a scenario says about the modem board's event log.

#include <cstdint>
#include <vector>

namespace varnel::sim {

// A ring of 4096 slots whose slot LastN is always the next to be written, so at
// most 4095 entries are kept.
inline constexpr unsigned kLogSlots = 4096;
inline constexpr unsigned kLogCapacity = kLogSlots - 1;

// How the board stamps its entries: from its clock, or with the marks of a clock
// never set or unreadable.
enum class LogClock : std::uint8_t { Set, Unset, Error };

struct ModemLogSettings {
  unsigned entries = 40;    // present at the start
  unsigned first = 0;       // ring index of the first of them
  unsigned per_minute = 2;  // added while running
  LogClock clock = LogClock::Set;
  // The other boards whose events the log carries; the block puts its fitted
  // termination boards and amplifiers here.
  std::vector<std::uint8_t> boards{0x05, 0x06, 0x07, 0x0A, 0x0C};

  bool operator==(const ModemLogSettings&) const = default;
};

}  // namespace varnel::sim
