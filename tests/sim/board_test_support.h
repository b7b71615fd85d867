#pragma once
// A clock the test moves by hand, for boards other than the modem.

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

}  // namespace varnel::sim
