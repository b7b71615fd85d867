#include "sim/boards/firmware_image.h"

#include "sim/wire/crc.h"

namespace varnel::sim {

namespace {

constexpr std::size_t kVersionChars = 3;
constexpr std::size_t kBlocksAt = 4;  // big-endian, as in the update file
constexpr std::size_t kCrcAt = 8;
constexpr std::size_t kBlockBytes = 512;

bool Digit(std::uint8_t c) { return c >= '0' && c <= '9'; }

std::optional<FirmwareVersion> VersionText(const Bytes& d) {
  auto value = [](std::uint8_t c) { return static_cast<std::uint8_t>(c - '0'); };
  if (!Digit(d[0]) || !Digit(d[2])) return std::nullopt;
  if (d[1] == '.') return FirmwareVersion{value(d[0]), value(d[2])};
  if (!Digit(d[1])) return std::nullopt;
  return FirmwareVersion{value(d[0]), static_cast<std::uint8_t>(value(d[1]) * 10 + value(d[2]))};
}

std::string Printable(const Bytes& d) {
  std::string text;
  for (std::size_t i = 0; i < kVersionChars; ++i) {
    text += d[i] >= 0x20 && d[i] < 0x7F ? static_cast<char>(d[i]) : '?';
  }
  return text;
}

ImageCheck Bad(const std::string& why) { return {std::nullopt, "firmware image bad: " + why}; }

}  // namespace

bool TouchesDescriptor(std::uint32_t address, std::size_t count) {
  return address < kDescriptorAddress + kDescriptorBytes && address + count > kDescriptorAddress;
}

ImageCheck CheckImage(const FlashMemory& flash) {
  const Bytes d = flash.Read(kDescriptorAddress, kDescriptorBytes);
  const std::optional<FirmwareVersion> version = VersionText(d);
  if (!version) return Bad("version \"" + Printable(d) + "\" unreadable");
  const std::size_t blocks = static_cast<std::size_t>(d[kBlocksAt]) << 8 | d[kBlocksAt + 1];
  if (blocks == 0 || blocks * kBlockBytes > kDescriptorAddress) {
    return Bad(std::to_string(blocks) + " blocks do not fit below the descriptor");
  }
  const auto expected = static_cast<std::uint16_t>(d[kCrcAt] << 8 | d[kCrcAt + 1]);
  const std::uint16_t crc = Crc16(flash.Read(0, blocks * kBlockBytes));
  if (crc != expected) {
    return Bad("CRC-16 " + HexValue(crc, 4) + " over " + std::to_string(blocks) +
               " blocks, descriptor says " + HexValue(expected, 4));
  }
  return {version, "firmware image " + Printable(d) + " of " + std::to_string(blocks) +
                       " blocks checks out"};
}

}  // namespace varnel::sim
