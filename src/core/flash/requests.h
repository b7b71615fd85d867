#pragma once
// Flash command 0x10 as the board takes it: a 24-bit big-endian address,
// then for a read the block size in 32-bit words minus one, for a write the
// block's bytes and a CRC-8 over address and data.

#include <cstdint>

#include "wire/byte_utils.h"

namespace varnel {

constexpr std::uint8_t kFlashCommand = 0x10;
constexpr std::uint8_t kLastBlockBit = 0x80;  // in the address's high byte of a write

// CRC-8 (reflected 0x8C, from 0xFF, no final XOR) over bytes in order.
std::uint8_t FlashCrc(ByteView bytes);

// 10 a2 a1 a0 (blockSize / 4 - 1); blockSize is 4..1024 in steps of 4.
Bytes FlashReadRequest(std::uint32_t address, int blockSize);
// 10 a2 a1 a0 data... crc, the CRC-8 over everything between command and CRC.
Bytes FlashWriteRequest(std::uint32_t address, ByteView block, bool lastBlock);

}  // namespace varnel
