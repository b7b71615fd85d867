#include "sim/boards/modem_channels.h"

#include <algorithm>
#include <cmath>

#include "sim/boards/drift.h"
#include "sim/boards/modem_rate.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kStateCode = 0x14;
constexpr std::uint8_t kReceiving = 0x60;   // bits 6 and 5
constexpr std::uint8_t kActivating = 0x40;  // bit 6 alone
constexpr std::uint8_t kNoSignal = 0x00;
constexpr std::uint8_t kLoopBit = 0x08;
constexpr std::uint8_t kTransitBit = 0x02;
constexpr std::uint8_t kKoDataBit = 0x01;
constexpr std::uint8_t kNoSignalLevel = 0xFF;  // reads as below -51 dB
constexpr std::int64_t kActivationSeconds = 10;
// The far end of a transit channel sends KO data most of each minute.
constexpr std::int64_t kKoCycleSeconds = 60;
constexpr std::int64_t kKoPresentSeconds = 45;
constexpr unsigned kMaxErrorCount = 65535;
constexpr int kBestErrorRatio = 90;  // 10e-9, sent with the "below" bit
constexpr std::uint8_t kBelowBit = 0x80;

}  // namespace

std::uint8_t InputLevelByte(std::size_t c, std::int64_t now) {
  const int base = 40 + 15 * static_cast<int>(c);
  return static_cast<std::uint8_t>(base + Drift(now, 4, 3 * static_cast<int>(c)));
}

ModemChannels::ModemChannels(unsigned errors_per_minute, std::int64_t now)
    : errors_per_minute_(errors_per_minute) {
  for (Runtime& r : runtime_) r.since = now;
}

void ModemChannels::Reconfigure(std::size_t c, const ModemChannelConfig& old_config,
                                std::int64_t now) {
  Runtime& r = runtime_[c];
  r.counted = Errors(c, old_config, now);
  r.since = now;
  r.activation_until = now + kActivationSeconds;
}

void ModemChannels::ResetErrors(std::size_t c, std::int64_t now) {
  runtime_[c].counted = 0;
  runtime_[c].since = now;
}

void ModemChannels::ClearLoops() {
  for (Runtime& r : runtime_) r.loop = false;
}

bool ModemChannels::Growing(const ModemChannelConfig& config) const {
  return config.enabled && IsDigital(config.Mode()) && errors_per_minute_ > 0;
}

unsigned ModemChannels::Errors(std::size_t c, const ModemChannelConfig& config,
                               std::int64_t now) const {
  const Runtime& r = runtime_[c];
  if (!Growing(config)) return r.counted;
  const std::int64_t elapsed = std::max<std::int64_t>(0, now - r.since);
  const std::int64_t grown = elapsed * errors_per_minute_ / 60;
  return static_cast<unsigned>(std::min<std::int64_t>(kMaxErrorCount, r.counted + grown));
}

std::uint8_t ModemChannels::ReceiverBits(std::size_t c, const ModemChannelConfig& config,
                                         std::int64_t now) const {
  if (!config.enabled) return kNoSignal;
  if (IsDigital(config.Mode()) && now < runtime_[c].activation_until) return kActivating;
  return kReceiving;
}

// Ten times the negative decimal logarithm of errors per bit.
std::uint8_t ModemChannels::ErrorRatioByte(const ModemChannelConfig& config,
                                           double kbps) const {
  const std::uint8_t best = kBelowBit | kBestErrorRatio;
  if (!Growing(config) || kbps <= 0) return best;
  const double ratio = errors_per_minute_ / 60.0 / (kbps * 1000);
  const long n = std::lround(-10 * std::log10(ratio));
  if (n >= kBestErrorRatio) return best;
  return static_cast<std::uint8_t>(std::max(0L, n));
}

Bytes ModemChannels::StateAnswer(std::size_t c, const ModemChannelConfig& config,
                                 std::uint8_t mcu, std::int64_t now) const {
  std::uint8_t d1 = ReceiverBits(c, config, now);
  if (runtime_[c].loop) d1 |= kLoopBit;
  const std::uint8_t level = config.enabled ? InputLevelByte(c, now) : kNoSignalLevel;
  const auto code = static_cast<std::uint8_t>(kStateCode + c + 1);
  const ChannelMode mode = config.Mode();
  if (!IsDigital(mode)) {
    if (mode == ChannelMode::Transit) {
      d1 |= kTransitBit;
      const bool ko = config.enabled && FloorMod(now, kKoCycleSeconds) < kKoPresentSeconds;
      if (ko) d1 |= kKoDataBit;
    }
    return {code, d1, level};
  }
  const std::uint8_t rate = HasMaxRate(mcu) ? config.rate_max : config.rate_min;
  // Eighths of a dB; the link holds half a dB more than it was asked for.
  const auto margin = static_cast<std::uint8_t>(std::min(255u, config.NoiseMarginDb() * 8 + 4));
  const unsigned errors = Errors(c, config, now);
  return {code,
          d1,
          level,
          rate,
          rate,
          margin,
          static_cast<std::uint8_t>(errors),
          static_cast<std::uint8_t>(errors >> 8),
          ErrorRatioByte(config, RateKbps(rate, mcu))};
}

}  // namespace varnel::sim
