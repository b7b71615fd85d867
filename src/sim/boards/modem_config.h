#pragma once
// The modem board's common and channel configuration, and its wire layouts. A write
// carries the layout of the read answer, so one encoding serves both ways.

#include "sim/boards/modem_settings.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

struct ModemCommonConfig {
  std::uint8_t tx_level = 12;  // bits 1..6: -0.4 dB steps
  std::uint8_t rx_level = 50;  // -0.2 dB steps
  std::uint8_t agc = 10;       // -0.2 dB steps
  std::uint8_t aggregation = 0;  // 0..3
};

struct ModemChannelConfig {
  bool enabled = true;
  std::uint16_t tx_khz = 0;  // 0..1023
  std::uint16_t rx_khz = 0;
  std::uint8_t mode_byte = 0;  // mode in bits 6..7, EOC bit 5, 31 - noise margin in 0..4
  std::uint8_t rate_min = 0;   // rate bytes as the receiver rate table reads them
  std::uint8_t rate_max = 0;   // on the wire only from MCU version 11

  ChannelMode Mode() const { return static_cast<ChannelMode>(mode_byte >> 6); }
  unsigned NoiseMarginDb() const { return 31 - (mode_byte & 0x1F); }
};

struct ModemConfig {
  ModemCommonConfig common;
  std::array<ModemChannelConfig, kModemChannels> channels;
};

// Version gates of the layouts.
inline bool HasAggregation(std::uint8_t mcu) { return mcu >= 8; }
inline bool HasMaxRate(std::uint8_t mcu) { return mcu >= 11; }

// Frequencies step with the channel and the device, so neighbours differ.
ModemConfig DefaultModemConfig(const ModemSettings& settings, std::uint8_t device_id);

// 10 T R A [aggregation]
Bytes CommonAnswer(const ModemCommonConfig& common, std::uint8_t mcu);
// 10+c, TX frequency and enable, RX frequency, mode byte, minimum rate [maximum rate]
Bytes ChannelAnswer(std::size_t channel, const ModemChannelConfig& config, std::uint8_t mcu);

// False, leaving the configuration alone, when the length is not the version's.
bool ApplyCommonWrite(ByteView payload, std::uint8_t mcu, ModemCommonConfig& common);
bool ApplyChannelWrite(ByteView payload, std::uint8_t mcu, ModemChannelConfig& config);

}  // namespace varnel::sim
