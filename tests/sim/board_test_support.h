#pragma once
// Boards on a clock the test moves by hand.

#include <gtest/gtest.h>

#include "sim/boards/board_emulation.h"
#include "sim/boards/modem.h"
#include "sim/boards/termination.h"

namespace varnel::sim {

// Local time 2026-01-01 00:00:00: a new four-year clock cycle starts here, and it is
// a multiple of 4 and of 60, so the level and KO cycles start at phase 0 too.
inline constexpr std::int64_t kNewYear2026 = 1767225600;

class TestClock {
 public:
  LocalClock Clock() {
    return [this] { return now_; };
  }
  // Seconds since kNewYear2026.
  void At(std::int64_t seconds) { now_ = kNewYear2026 + seconds; }

 private:
  std::int64_t now_ = kNewYear2026;
};

// The answer body, or nothing when the board stays silent.
inline std::optional<Bytes> Ask(BoardEmulation& board, const Bytes& request) {
  return board.Handle(request).body;
}

// A board whose constructor takes the clock last.
template <typename Board>
struct Clocked {
  template <typename... Args>
  explicit Clocked(const Args&... args) : board(args..., clock.Clock()) {}
  std::optional<Bytes> Ask(const Bytes& request) { return varnel::sim::Ask(board, request); }
  std::string Note(const Bytes& request) { return board.Handle(request).note; }

  TestClock clock;  // before the board, which reads it when made
  Board board;
};

struct TestModem : Clocked<ModemBoard> {
  explicit TestModem(const ModemSettings& settings = {}, std::uint8_t device_id = 1)
      : Clocked(settings, device_id) {}
  void At(std::int64_t seconds) { clock.At(seconds); }
};

// Device 1, slot 1 unless a test says otherwise.
struct TestTermination : Clocked<TerminationBoard> {
  explicit TestTermination(const TerminationSettings& settings = {}, std::uint8_t device = 1,
                           unsigned slot = 1)
      : Clocked(settings, device, slot) {}
};

}  // namespace varnel::sim
