#pragma once
// Byte packing, single bits, bit fields and the two table-driven CRC steps.
// Answers mix byte orders; callers pick the order through the routine they use.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace varnel {

using Bytes = std::vector<std::uint8_t>;
// A read-only view of received bytes.
using ByteView = std::span<const std::uint8_t>;

std::uint16_t WordOf(std::uint8_t hi, std::uint8_t lo);
// First argument most significant.
std::uint32_t DWordOf(std::uint8_t b3, std::uint8_t b2, std::uint8_t b1, std::uint8_t b0);
// First argument least significant.
std::uint32_t DWordOfLE(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);
void SplitWord(std::uint16_t w, std::uint8_t& hi, std::uint8_t& lo);

// Bit n of the low byte / low word as 0 or 1; 0 when n is out of range.
std::uint8_t Bit8(std::uint32_t value, int n);
std::uint8_t Bit16(std::uint32_t value, int n);
// count bits from bit start, moved down to bit 0; 0 when start >= 32.
std::uint32_t Bits32(std::uint32_t value, int start, int count);
void SetBit8(std::uint8_t& b, int n);
void ClearBit8(std::uint8_t& b, int n);

// Reflected CRC-16 (poly 0xA001) and CRC-8 (poly 0x8C) tables and steps.
// Callers start at 0xFFFF / 0xFF and apply no final XOR.
const std::array<std::uint16_t, 256>& Crc16Table();
const std::array<std::uint8_t, 256>& Crc8Table();
std::uint16_t Crc16Step(std::uint8_t b, std::uint16_t crc);
std::uint8_t Crc8Step(std::uint8_t b, std::uint8_t crc);
std::uint16_t Crc16(ByteView data, std::uint16_t crc = 0xFFFF);
std::uint8_t Crc8(ByteView data, std::uint8_t crc = 0xFF);

inline void Inc8(std::uint8_t& c) { ++c; }
inline void Inc32(std::uint32_t& c) { ++c; }

}  // namespace varnel
