#include "sim/boards/modem_clock.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kClockCode = 0x08;
constexpr std::uint32_t kTimeBits = 0x07FFFFFF;

}  // namespace

std::uint32_t ModemClock::Stamp(std::int64_t now) const {
  const std::int64_t t = (now + offset_) % kClockCycleSeconds;
  return static_cast<std::uint32_t>(t < 0 ? t + kClockCycleSeconds : t);
}

void ModemClock::Set(std::uint32_t stamp, std::int64_t now) {
  const std::int64_t t = (stamp & kTimeBits) % kClockCycleSeconds;
  offset_ = (t - now) % kClockCycleSeconds;
}

Bytes ModemClock::Answer(std::int64_t now) const {
  const std::uint32_t t = Stamp(now);
  return {kClockCode,
          correction_,
          static_cast<std::uint8_t>(t),
          static_cast<std::uint8_t>(t >> 8),
          static_cast<std::uint8_t>(t >> 16),
          static_cast<std::uint8_t>(t >> 24)};
}

}  // namespace varnel::sim
