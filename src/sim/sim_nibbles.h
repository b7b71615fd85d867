#pragma once
// Address nibbles: two per byte, the first of each pair in the low half.

#include "sim_bytes.h"

namespace varnel::sim {

// An odd count gets one 0 nibble appended; only the low 4 bits of each value count.
Bytes PackNibbles(const std::vector<std::uint8_t>& nibbles);
// Every byte gives its low nibble, then its high nibble.
std::vector<std::uint8_t> UnpackNibbles(ByteView bytes);

}  // namespace varnel::sim
