#include "boards/modem/modem_encoding.h"

#include <cmath>

namespace varnel {

namespace {

constexpr std::uint8_t kSteppedRateVersion = 9;

// Round and check the field width; nothing when outside 0..max.
std::optional<std::uint8_t> Fit(double x, int max) {
  const double r = RoundHalfEven(x);
  if (!(r >= 0.0 && r <= max)) return std::nullopt;  // also catches NaN
  return static_cast<std::uint8_t>(r);
}

}  // namespace

double RoundHalfEven(double x) {
  const double snapped = std::round(x * 1e6) / 1e6;
  const double floor = std::floor(snapped);
  const double diff = snapped - floor;
  if (diff > 0.5) return floor + 1.0;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// Integer arithmetic first, one division last: -2.4 stays the nearest double to -2.4.
double RateFromByte(std::uint8_t b, std::uint8_t ver1) {
  if (ver1 < kSteppedRateVersion || b < 128) return b / 10.0;
  return (2 * b - 128) / 10.0;
}

std::optional<std::uint8_t> RateToByte(double kbps, std::uint8_t ver1) {
  if (ver1 >= kSteppedRateVersion && kbps >= 12.8) {
    const double r = RoundHalfEven((kbps - 12.8) * 5.0) + 128.0;
    if (!(r <= 255.0)) return std::nullopt;
    return static_cast<std::uint8_t>(r);
  }
  return Fit(kbps * 10.0, 255);
}

double TxLevelFromByte(std::uint8_t b) { return -(((b >> 1) & 0x3F) * 4) / 10.0; }

// Only six bits carry the step count; a larger count would reach bit 7,
// which the board ignores, and come back as another level.
std::optional<std::uint8_t> TxLevelToByte(double db) {
  const auto n = Fit(db / -0.4, 63);
  if (!n) return std::nullopt;
  return static_cast<std::uint8_t>(*n * 2);
}

double RxLevelFromByte(std::uint8_t b) { return -((b & 0x7F) * 2) / 10.0; }

std::optional<std::uint8_t> RxLevelToByte(double db) { return Fit(db / -0.2, 127); }

double AgcFromByte(std::uint8_t b) { return -(b * 2) / 10.0; }

std::optional<std::uint8_t> AgcToByte(double db) { return Fit(db / -0.2, 255); }

RateLimits ApplyRateLimits(std::uint8_t ver1, double value) {
  if (ver1 < kSteppedRateVersion) return {25.4, 0.1};
  return {38.2, value <= 12.7 ? 0.1 : 0.2};
}

}  // namespace varnel
