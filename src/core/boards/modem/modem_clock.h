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

// The rate correction step the operator sets: -39..72.
constexpr int kMinCorrection = -39;
constexpr int kMaxCorrection = 72;
// One step up or down, never past the ends.
int StepCorrection(int k, bool up);
// "Коррекция хода: 95,2ppm"; in debug mode followed by the step and its byte.
std::string CorrectionLabelText(int k, bool debug);
// The clock as last read: clockValue is the board's Values[1], clockText its Texts[1].
std::string ClockLabelText(std::uint32_t clockValue, const std::string& clockText);

}  // namespace varnel
