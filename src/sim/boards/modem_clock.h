#pragma once
// The modem board's clock: seconds within the four-year cycle of local time, and
// the rate correction byte, which is only kept and reported.

#include <cstdint>

#include "sim/wire/bytes.h"

namespace varnel::sim {

inline constexpr std::int64_t kClockCycleSeconds = 126230400;  // 1461 days

class ModemClock {
 public:
  // Starts in step with the local time.
  std::uint32_t Stamp(std::int64_t now) const;
  // Bits 27..31 of a stamp carry no time and are dropped.
  void Set(std::uint32_t stamp, std::int64_t now);
  void SetCorrection(std::uint8_t correction) { correction_ = correction; }

  // 08 correction t0 t1 t2 t3, the stamp little-endian.
  Bytes Answer(std::int64_t now) const;

 private:
  std::int64_t offset_ = 0;  // board time minus local time
  std::uint8_t correction_ = 0;
};

}  // namespace varnel::sim
