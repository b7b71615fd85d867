#pragma once
// One known device (block). Records are plain values in a fixed table and
// refer to each other by device number, never by pointer.

#include <array>
#include <cstdint>
#include <string>

#include "model/board_state.h"
#include "model/board_table.h"
#include "model/modem_config.h"
#include "wire/route.h"

namespace varnel {

constexpr int kMaxDevices = 128;
// The modem board's clock value before its first reading.
constexpr std::uint32_t kClockNotRead = 0x7FFFFFFF;
constexpr std::size_t kNameChars = 32;
constexpr std::size_t kRootNameChars = 31;

struct ChannelEntry {
  bool show = true;  // the channel's node is shown in the device tree
};

struct TStructDev {
  bool inUse = false;
  std::string name;  // UTF-8, at most 32 characters
  std::uint8_t id = 0;
  std::uint8_t blockType = 0;
  Route sendRoute = Route::Unset();  // addresses the device's boards
  Route idRoute = Route::Unset();    // how the device identified itself, ending in its ID
  std::array<TBRDS, kBoardSlots> boards{};
  std::array<ChannelEntry, 3> channels{};
  bool shownInTree = true;
  std::uint8_t upConn = 0;     // side facing the PC: 0 Ethernet, 1..3 HF channel
  std::uint16_t rootNumber = 0;  // master's device number; 0 for the main root
  std::uint8_t rootPort = 0;     // master's channel leading here; 0 for the main root
  std::string rootName;          // master's name when this device was found
  std::array<ModemChannelConfig, 3> modemChannels{};
  ModemCommonConfig modemCommon{};

  TBRDS& board(int slot) { return boards.at(static_cast<std::size_t>(slot - 1)); }
  const TBRDS& board(int slot) const { return boards.at(static_cast<std::size_t>(slot - 1)); }
  // Channel c = 1..3.
  ModemChannelConfig& modemChannel(int c) { return modemChannels.at(static_cast<std::size_t>(c - 1)); }
  const ModemChannelConfig& modemChannel(int c) const {
    return modemChannels.at(static_cast<std::size_t>(c - 1));
  }
};

void InitDevice(TStructDev& dev);

}  // namespace varnel
