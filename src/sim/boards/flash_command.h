#pragma once
// Command 0x10 of a termination board: read a block of its flash, or write one
// that carries a CRC-8.

#include <optional>
#include <string_view>

#include "sim/block/device_behaviour.h"
#include "sim/boards/flash_memory.h"

namespace varnel::sim {

inline constexpr std::uint8_t kFlashCommand = 0x10;

struct FlashOutcome {
  CommandReply reply;
  // Where a write went when it was stored.
  std::optional<std::uint32_t> address{};
  std::size_t count = 0;
};

// Read: 10, address (24 bits), n/4 - 1; answered with 10, the address, n bytes and
// their CRC-8. Write: 10, address with bit 7 set on the last block, a block of 4..1024
// bytes in steps of 4 and its CRC-8; stored when the CRC is right, acknowledged
// with 10, the address bytes as received and the CRC computed here. Anything past
// 0xFFFFF and every other length go unanswered.
FlashOutcome FlashRequest(FlashMemory& flash, std::string_view board, ByteView payload);

}  // namespace varnel::sim
