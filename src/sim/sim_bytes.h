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

}  // namespace varnel::sim
