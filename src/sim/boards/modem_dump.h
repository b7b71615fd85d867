#pragma once
// The modem board's memory as the dump command reads it: a fixed, made-up image
// of 64 KiB, the same on every device.

#include <cstdint>

#include "sim/wire/bytes.h"

namespace varnel::sim {

// Low address byte XOR high address byte: easy to check by eye, never all alike.
std::uint8_t MemoryByte(std::uint16_t address);

// 00 aL aH and `count` bytes from `address` on, wrapping at the top of memory.
Bytes DumpAnswer(std::uint16_t address, unsigned count);

}  // namespace varnel::sim
