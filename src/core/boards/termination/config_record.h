#pragma once
// A termination board keeps its configuration in 32 bytes of flash at
// 0xE0000..0xE001F. Decoding gives the settings the configuration window
// edits; encoding writes them over the bytes as read, so the reserved bytes
// and every bit no setting covers go back to the board unchanged.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "boards/termination/module_settings.h"
#include "wire/byte_utils.h"

namespace varnel {

constexpr std::uint32_t kConfigAddress = 0xE0000;
constexpr std::size_t kConfigBytes = 32;
using ConfigBytes = std::array<std::uint8_t, kConfigBytes>;

// Shown for a record whose IP byte is 0xFF (erased flash).
constexpr const char* kDefaultConfigIp = "192.168.1.254";
constexpr const char* kDefaultConfigMask = "255.255.0.0";
constexpr const char* kDefaultConfigGateway = "192.168.0.1";

// The settings as decoded. A list index outside its field's range
// (kNoSelection among them) is not written: the bits as read stay.
struct TerminationConfig {
  ConfigBytes bytes{};  // as read: what encoding writes over

  bool stream = false;                      // byte 2: "Поток"; false = "Пакеты", written as 0
  int streamRate = 0;                       // byte 2: list index, 0 "---", k = k × 0,8 kbit/s
  std::array<bool, 3> alarmChannels{};      // byte 3 bits 0..2: block alarm of channels 1..3; none = far end
  bool transparentEthernet = false;         // byte 3 bit 3
  int serviceWidth = 200;                   // byte 4, bit/s, 100..6400 (0xFF reads as 200)
  int rsRate = 0;                           // byte 5 bits 0..3: rate list index (12..15 read as 0)
  int rsParity = 0;                         // byte 5 bits 4..6: 0 none, 1 odd, 2 even
  bool rsCodeIndependent = false;           // byte 5 bit 7
  bool analogMode = false;                  // byte 6 bit 0; false = digital
  bool codec8k = false;                     // bit 1: 8,0 kbit/s; false = 6,4 kbit/s
  std::array<bool, 3> echoCanceller{};      // bits 2..4: modules 1..3
  bool ethernetBlocked = false;             // bit 5
  bool twoVoiceChannels = false;            // bit 6: two voice subchannels
  bool poeEnabled = false;                  // bit 7 clear
  int bandSplit = 0;                        // byte 7 bits 0..2: position 0..5
  bool limiter = false;                     // byte 7 bit 7: speech-channel limiter
  std::array<ModuleSettings, 3> modules{};  // bytes 8..19
  std::string ip, mask, gateway;            // bytes 20..31, dotted texts; written even when invalid
};

// Firmware ver1.ver2 at least major.minor.
constexpr bool FirmwareAtLeast(std::uint8_t ver1, std::uint8_t ver2, int major, int minor) {
  return ver1 > major || (ver1 == major && ver2 >= minor);
}

// Nothing unless bytes holds exactly the 32 bytes of the record.
// moduleTypes are the types the board reported for its positions 1..3.
std::optional<TerminationConfig> DecodeTerminationConfig(ByteView bytes,
                                                         const std::array<std::uint8_t, 3>& moduleTypes);
// ver1.ver2 is the board's firmware: from 2.10 stream mode is written as 1.
ConfigBytes EncodeTerminationConfig(const TerminationConfig& config, std::uint8_t ver1, std::uint8_t ver2);

}  // namespace varnel
