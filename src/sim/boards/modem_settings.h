#pragma once
// What a scenario says about one device's modem board; the rest of the board's
// state starts from defaults derived from these.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/boards/modem_log_settings.h"

namespace varnel::sim {

inline constexpr std::size_t kModemChannels = 3;

// The two mode bits of a channel's configuration.
enum class ChannelMode : std::uint8_t { Analog = 0, Transit = 1, Master = 2, Slave = 3 };

inline bool IsDigital(ChannelMode mode) {
  return mode == ChannelMode::Master || mode == ChannelMode::Slave;
}

// How the board takes a program written into it.
struct ModemFirmwareSettings {
  std::optional<unsigned> break_at;  // this block is answered 0x7FFE (sequence broken)
  std::optional<unsigned> stop_at;   // this block is answered 0x7FFF (the board ends)
  bool last_as_end = false;          // the last block is answered 0x7FFF, not its number
  unsigned restart_seconds = 3;      // silent this long after a restart
  std::string save_prefix;           // a verified image goes to PREFIX.mcu / PREFIX.fpga

  bool operator==(const ModemFirmwareSettings&) const = default;
};

struct ModemSettings {
  std::uint8_t mcu = 12;  // Ver1: decides the answer layouts
  std::uint8_t fpga = 3;  // Ver2
  std::array<ChannelMode, kModemChannels> modes{ChannelMode::Master, ChannelMode::Slave,
                                                ChannelMode::Analog};
  std::array<bool, kModemChannels> enabled{true, true, true};
  unsigned errors_per_minute = 6;  // on each enabled digital channel
  ModemLogSettings log{};
  ModemFirmwareSettings firmware{};

  bool operator==(const ModemSettings&) const = default;
};

}  // namespace varnel::sim
