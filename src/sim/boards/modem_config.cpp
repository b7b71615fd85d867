#include "sim/boards/modem_config.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kCommonCode = 0x10;
constexpr std::uint8_t kEnabledBit = 0x80;
constexpr std::uint8_t kEocBit = 0x20;
constexpr unsigned kDefaultNoiseMarginDb = 26;
constexpr std::uint8_t kDefaultRateMin = 96;   // 9.6 kbit/s in every version
constexpr std::uint8_t kDefaultRateMax = 184;  // 24.0 kbit/s on the upper scale
constexpr std::uint16_t kFrequencyMask = 0x3FF;

std::size_t CommonLength(std::uint8_t mcu) { return HasAggregation(mcu) ? 5 : 4; }
std::size_t ChannelLength(std::uint8_t mcu) { return HasMaxRate(mcu) ? 8 : 7; }

std::uint16_t Frequency(std::uint8_t low, std::uint8_t high) {
  return static_cast<std::uint16_t>((high << 8 | low) & kFrequencyMask);
}

}  // namespace

ModemConfig DefaultModemConfig(const ModemSettings& settings, std::uint8_t device_id) {
  ModemConfig config;
  for (std::size_t c = 0; c < kModemChannels; ++c) {
    ModemChannelConfig& channel = config.channels[c];
    const ChannelMode mode = settings.modes[c];
    channel.enabled = settings.enabled[c];
    channel.tx_khz = static_cast<std::uint16_t>(100 + 40 * c + 4 * (device_id - 1));
    channel.rx_khz = static_cast<std::uint16_t>(channel.tx_khz + 10);
    channel.mode_byte = static_cast<std::uint8_t>(static_cast<unsigned>(mode) << 6 |
                                                  (IsDigital(mode) ? kEocBit : 0) |
                                                  (31 - kDefaultNoiseMarginDb));
    channel.rate_min = kDefaultRateMin;
    channel.rate_max = kDefaultRateMax;
  }
  return config;
}

Bytes CommonAnswer(const ModemCommonConfig& common, std::uint8_t mcu) {
  Bytes body{kCommonCode, common.tx_level, common.rx_level, common.agc};
  if (HasAggregation(mcu)) body.push_back(common.aggregation);
  return body;
}

Bytes ChannelAnswer(std::size_t channel, const ModemChannelConfig& config, std::uint8_t mcu) {
  Bytes body{static_cast<std::uint8_t>(kCommonCode + channel),
             static_cast<std::uint8_t>(config.tx_khz),
             static_cast<std::uint8_t>(config.tx_khz >> 8 | (config.enabled ? kEnabledBit : 0)),
             static_cast<std::uint8_t>(config.rx_khz),
             static_cast<std::uint8_t>(config.rx_khz >> 8),
             config.mode_byte,
             config.rate_min};
  if (HasMaxRate(mcu)) body.push_back(config.rate_max);
  return body;
}

bool ApplyCommonWrite(ByteView payload, std::uint8_t mcu, ModemCommonConfig& common) {
  if (payload.size() != CommonLength(mcu)) return false;
  common.tx_level = payload[1];
  common.rx_level = payload[2];
  common.agc = payload[3];
  if (HasAggregation(mcu)) common.aggregation = payload[4] & 0x03;
  return true;
}

bool ApplyChannelWrite(ByteView payload, std::uint8_t mcu, ModemChannelConfig& config) {
  if (payload.size() != ChannelLength(mcu)) return false;
  // Only the ten frequency bits and the enable bit are kept; the reader ignores the rest.
  config.tx_khz = Frequency(payload[1], payload[2]);
  config.enabled = (payload[2] & kEnabledBit) != 0;
  config.rx_khz = Frequency(payload[3], payload[4]);
  config.mode_byte = payload[5];
  config.rate_min = payload[6];
  if (HasMaxRate(mcu)) config.rate_max = payload[7];
  return true;
}

}  // namespace varnel::sim
