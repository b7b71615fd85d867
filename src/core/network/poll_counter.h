#pragma once
// The common timer's millisecond counter: advanced by the tick interval and
// wrapped to 0 before it would overflow 32 bits, so that whole-second work
// still lines up after the wrap.

#include <cstdint>

namespace varnel {

class PollCounter {
 public:
  static constexpr std::uint32_t kTickMs = 100;
  static constexpr std::uint32_t kWrapAt = 0xFFFFF000u;

  // Advances one tick; true when the new value is a whole second.
  bool Tick() {
    ms_ += kTickMs;
    if (ms_ >= kWrapAt) ms_ = 0;
    return ms_ % 1000 == 0;
  }
  std::uint32_t ms() const { return ms_; }
  void reset(std::uint32_t ms = 0) { ms_ = ms; }

 private:
  std::uint32_t ms_ = 0;
};

}  // namespace varnel
