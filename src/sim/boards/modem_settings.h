#pragma once
// What a scenario says about one device's modem board; the rest of the board's
// state starts from defaults derived from these.

#include <array>
#include <cstdint>

#include "sim/boards/modem_log_settings.h"

namespace varnel::sim {

inline constexpr std::size_t kModemChannels = 3;

// The two mode bits of a channel's configuration.
enum class ChannelMode : std::uint8_t { Analog = 0, Transit = 1, Master = 2, Slave = 3 };

inline bool IsDigital(ChannelMode mode) {
  return mode == ChannelMode::Master || mode == ChannelMode::Slave;
}

struct ModemSettings {
  std::uint8_t mcu = 12;  // Ver1: decides the answer layouts
  std::uint8_t fpga = 3;  // Ver2
  std::array<ChannelMode, kModemChannels> modes{ChannelMode::Master, ChannelMode::Slave,
                                                ChannelMode::Analog};
  std::array<bool, kModemChannels> enabled{true, true, true};
  unsigned errors_per_minute = 6;  // on each enabled digital channel
  ModemLogSettings log{};

  bool operator==(const ModemSettings&) const = default;
};

}  // namespace varnel::sim
