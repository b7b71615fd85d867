#pragma once
// A modem board on a clock the test moves by hand.

#include <gtest/gtest.h>

#include "sim_modem_board.h"

namespace varnel::sim {

// Local time 2026-01-01 00:00:00: a new four-year clock cycle starts here, and it is
// a multiple of 4 and of 60, so the level and KO cycles start at phase 0 too.
inline constexpr std::int64_t kNewYear2026 = 1767225600;

class TestModem {
 public:
  explicit TestModem(const ModemSettings& settings = {}, std::uint8_t device_id = 1)
      : board_(settings, device_id, [this] { return now_; }) {}
  TestModem(const TestModem&) = delete;
  TestModem& operator=(const TestModem&) = delete;

  // The answer body, or nothing when the board stays silent.
  std::optional<Bytes> Ask(const Bytes& request) { return board_.Handle(request).body; }
  std::string Note(const Bytes& request) { return board_.Handle(request).note; }
  // Seconds since kNewYear2026.
  void At(std::int64_t seconds) { now_ = kNewYear2026 + seconds; }

 private:
  std::int64_t now_ = kNewYear2026;
  ModemBoard board_;
};

inline ModemSettings Version(std::uint8_t mcu, std::uint8_t fpga = 3) {
  ModemSettings settings;
  settings.mcu = mcu;
  settings.fpga = fpga;
  return settings;
}

}  // namespace varnel::sim
