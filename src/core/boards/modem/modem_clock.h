#pragma once
// The modem board's battery clock: its time stamp text, the rate correction
// byte and the two clock write payloads.

#include <cstdint>
#include <optional>
#include <string>

namespace varnel {

struct ClockReading {
  std::string text;         // date and time, or why there is none
  std::int64_t seconds = 0;  // wall-clock seconds (see LocalSeconds)
};
// c is the answer's 32-bit stamp; nowLocal the PC's wall clock in seconds.
ClockReading DecodeClock(std::uint32_t c, std::int64_t nowLocal);

// Sign and magnitude: bits 0..6 = |k|, bit 7 set when k is positive.
// Nothing when |k| does not fit seven bits.
std::optional<std::uint8_t> CorrectionByte(int k);
int CorrectionFromByte(std::uint8_t b);

// The set-clock stamp: wall-clock seconds within the four-year cycle.
std::uint32_t ClockStamp(std::int64_t nowLocal);

}  // namespace varnel
