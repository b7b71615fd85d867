#pragma once
// The made-up events of the modem board's log: a fixed cycle per board, so a log
// looks the same on every run and the program's decoder meets every kind of code.

#include <cstdint>
#include <vector>

#include "sim/boards/modem_log_ring.h"
#include "sim/boards/modem_settings.h"

namespace varnel::sim {

// An event of one board; each pass through the cycle takes the next of `codes`.
struct EventKind {
  std::uint8_t board;
  std::vector<std::uint16_t> codes;
};

// Modem off and on, the events of each enabled channel as its mode allows, the
// other boards of the log settings, and one code no decoder knows.
std::vector<EventKind> EventCycle(const ModemSettings& settings);

// Board and code of entry number `n`, counting from the first entry present at the
// start; the device ID shifts the cycle so neighbours differ. No stamp.
LogEntry MadeUpEvent(const std::vector<EventKind>& cycle, std::uint64_t n, std::uint8_t device_id);

}  // namespace varnel::sim
