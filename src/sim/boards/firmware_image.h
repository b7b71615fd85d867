#pragma once
// The firmware image a termination board is updated with: the blocks from flash
// address 0 on and the descriptor at 0x7E000 they are checked against.

#include <optional>
#include <string>

#include "sim/boards/flash_memory.h"

namespace varnel::sim {

inline constexpr std::uint32_t kDescriptorAddress = 0x7E000;
// Version (3 characters), a spare byte, the block count and two spare bytes, the CRC-16.
inline constexpr std::size_t kDescriptorBytes = 10;

struct FirmwareVersion {
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
};

struct ImageCheck {
  std::optional<FirmwareVersion> version;  // only when the image checks out
  std::string note;                        // for the console, good or bad
};

// Whether a write of count bytes from address on touched the descriptor.
bool TouchesDescriptor(std::uint32_t address, std::size_t count);

// The image must lie below the descriptor, fill at least one block of 512 bytes and
// match the descriptor's CRC-16; its version reads "MNN" (digits, 2.10 as "210") or
// "M.N".
ImageCheck CheckImage(const FlashMemory& flash);

}  // namespace varnel::sim
