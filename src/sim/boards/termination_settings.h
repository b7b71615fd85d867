#pragma once
// What a scenario says about one termination board (slots 1..3, addresses 5..7).

#include <array>
#include <cstdint>
#include <optional>

namespace varnel::sim {

inline constexpr std::size_t kTerminationSlots = 3;

// The two PoE bits of the status word and whether a load draws power.
enum class PoeState : std::uint8_t { None, NoLoad, Load, Blocked };

// The working bits of flags A that a board can report as failed.
struct TerminationFaults {
  bool service_rx = false;
  bool service_tx = false;
  bool data_rx = false;

  bool operator==(const TerminationFaults&) const = default;
};

struct TerminationSettings {
  bool fitted = true;
  std::uint8_t version_major = 2;
  std::uint8_t version_minor = 3;
  std::array<std::uint8_t, 3> modules{7, 9, 13};  // type codes 0..15
  std::optional<std::uint16_t> serial{};          // none: made from device and slot
  bool analog = false;
  std::uint16_t level = 7327;  // analog level code; 23170 is 0 dBm, this about -10
  // Module (1..3) carrying voice channel 1 and 2; 0 = that channel is absent.
  std::array<std::uint8_t, 2> voice_modules{1, 0};
  bool codec_8000 = true;    // else 6400 bit/s
  unsigned line_tx = 64000;  // bit/s, multiples of 100
  unsigned line_rx = 64000;
  unsigned service_rate = 1000;
  unsigned tm_rate = 1200;  // 0 = no telemechanics
  PoeState poe = PoeState::None;
  bool contact_input = false;
  bool contact_output = false;
  TerminationFaults faults{};
  unsigned errors_per_minute = 3;  // service channel; the data channel counts twice that
  bool config_erased = false;      // else a configuration record fitting these settings
  unsigned restart_seconds = 3;    // silent this long after a restart request

  bool operator==(const TerminationSettings&) const = default;
};

using TerminationBoards = std::array<TerminationSettings, kTerminationSlots>;

}  // namespace varnel::sim
