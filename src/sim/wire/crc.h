#pragma once
// The two CRCs of the flash traffic, computed bit by bit: CRC-8 guards each flash
// block on the wire, CRC-16 the firmware image a termination board checks.

#include "sim/wire/bytes.h"

namespace varnel::sim {

// Reflected polynomial 0x8C, start 0xFF, no final XOR; a block followed by its own
// CRC gives 0.
std::uint8_t Crc8(ByteView bytes);
// Reflected polynomial 0xA001, start 0xFFFF, no final XOR.
std::uint16_t Crc16(ByteView bytes);

}  // namespace varnel::sim
