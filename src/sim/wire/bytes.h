#pragma once
// Byte strings as the emulator sees them on the wire.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varnel::sim {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Upper-case hex, bytes separated by one blank ("00 0F F0"), for the console.
std::string HexText(ByteView bytes);
// "0x" and the low `digits` hex digits of value, upper-case ("0x0E0000" for 6).
std::string HexValue(std::uint32_t value, int digits);

// Most significant byte first, as the termination boards send their numbers.
void AppendBig16(Bytes& bytes, std::uint16_t value);
void AppendBig32(Bytes& bytes, std::uint32_t value);
// The low `count` bytes of value, least significant first, as the modem board sends.
void AppendLittle(Bytes& bytes, std::uint32_t value, std::size_t count);

}  // namespace varnel::sim
