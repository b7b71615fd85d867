#pragma once
// What a scenario says about one transmit amplifier (slot 6 or 8, address 0x0A or 0x0C).

#include <array>
#include <cstdint>

namespace varnel::sim {

inline constexpr std::array<std::uint8_t, 2> kAmplifierSlots{6, 8};

struct AmplifierSettings {
  bool fitted = true;
  std::uint8_t version = 8;  // the mask byte is answered from 7
  std::uint8_t alarms = 0;   // bits 1..4: alarms A1..A4
  std::uint8_t level_dbm = 43;
  std::uint8_t temperature = 38;  // °C, the middle of a slow drift

  bool operator==(const AmplifierSettings&) const = default;
};

using AmplifierBoards = std::array<AmplifierSettings, kAmplifierSlots.size()>;

}  // namespace varnel::sim
