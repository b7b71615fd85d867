#include "sim/boards/termination_config.h"

#include <algorithm>
#include <array>

namespace varnel::sim {

namespace {

constexpr std::uint8_t kUnused = 0x1F;  // what the program writes to bytes it never reads
constexpr std::uint8_t kRs232Async9600 = 0x04;
constexpr std::uint8_t kUnlocked = 0xFF;
constexpr std::size_t kModulesAt = 8;
constexpr std::size_t kEthernetAt = 20;

// Channel options: analog, codec 8.0, echo cancellers, two voice subchannels, PoE off.
std::uint8_t ChannelOptions(const TerminationSettings& s) {
  std::uint8_t options = s.analog ? 0x01 : 0x00;
  if (s.codec_8000) options |= 0x02;
  for (std::uint8_t module : s.voice_modules) {
    if (module != 0) options |= static_cast<std::uint8_t>(0x04 << (module - 1));
  }
  if (!s.analog && s.voice_modules[1] != 0) options |= 0x40;
  if (s.poe == PoeState::None || s.poe == PoeState::Blocked) options |= 0x80;
  return options;
}

std::array<std::uint8_t, 4> ModuleSettings(std::uint8_t type) {
  switch (type) {
    case 13:  // "4W01": bit 4 always, receive index 11 (0 dB) over bits 3, 7, 1; send 0 dB
      return {0x9A, 0xA0, kUnlocked, kUnused};
    case 9:  // "FS": send at -3.5 dB
      return {0x00, kUnused, kUnlocked, kUnused};
    case 7:  // "FO": send at -3.5 dB, tone dialling
      return {0x02, kUnused, kUnlocked, kUnused};
    default:
      return {kUnused, kUnused, kUnlocked, kUnused};
  }
}

}  // namespace

Bytes ConfigRecord(const TerminationSettings& s, std::uint8_t device_id, unsigned slot) {
  Bytes record(kConfigBytes, kUnused);
  record[2] = 0;  // RS-232 as packets
  record[3] = 0;  // alarm contact: far end; Ethernet not transparent
  record[4] = static_cast<std::uint8_t>(s.service_rate / 100);
  record[5] = kRs232Async9600;
  record[6] = ChannelOptions(s);
  record[7] = 0;  // analog band split 0, no limiter
  for (std::size_t m = 0; m < s.modules.size(); ++m) {
    const auto bytes = ModuleSettings(s.modules[m] & 0x0F);
    std::copy(bytes.begin(), bytes.end(), record.begin() + kModulesAt + 4 * m);
  }
  const auto host = static_cast<std::uint8_t>(10 + slot);
  const std::array<std::uint8_t, 12> ethernet{192, 168, device_id, host,  // address
                                              255, 255, 255,       0,     // mask
                                              192, 168, device_id, 1};    // gateway
  std::copy(ethernet.begin(), ethernet.end(), record.begin() + kEthernetAt);
  return record;
}

}  // namespace varnel::sim
