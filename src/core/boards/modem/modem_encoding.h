#pragma once
// How the modem board packs rates and levels into single bytes, both ways.
// Encoders return nothing when the value does not fit its field: the caller
// turns that into a range error and sends nothing.

#include <cstdint>
#include <optional>

namespace varnel {

// Nearest integer, halves to the even neighbour. Binary noise below 1e-6 is
// dropped first, so 0.3 / 0.2 counts as the half it stands for.
double RoundHalfEven(double x);

// Receiver rate in kbit/s. From MCU version 9 the upper half of the byte
// counts in 0.2 steps from 12.8.
double RateFromByte(std::uint8_t b, std::uint8_t ver1);
std::optional<std::uint8_t> RateToByte(double kbps, std::uint8_t ver1);

// Transmitter DAC level: 0.4 dB steps in bits 1..6.
double TxLevelFromByte(std::uint8_t b);
std::optional<std::uint8_t> TxLevelToByte(double db);
// Receiver A/D level: 0.2 dB steps in bits 0..6.
double RxLevelFromByte(std::uint8_t b);
std::optional<std::uint8_t> RxLevelToByte(double db);
// AGC sensitivity: 0.2 dB steps in the whole byte.
double AgcFromByte(std::uint8_t b);
std::optional<std::uint8_t> AgcToByte(double db);

// Limits of a rate editor for the board version and the editor's value;
// the minimum is always 0.0.
struct RateLimits {
  double max = 0.0;
  double step = 0.0;
  bool operator==(const RateLimits&) const = default;
};
RateLimits ApplyRateLimits(std::uint8_t ver1, double value);

}  // namespace varnel
