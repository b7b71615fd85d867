#pragma once
// Boards other than the modem on a clock the test moves by hand.

#include "modem_test_support.h"
#include "sim_board_emulation.h"

namespace varnel::sim {

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

  TestClock clock;  // before the board, which reads it when made
  Board board;
};

}  // namespace varnel::sim
