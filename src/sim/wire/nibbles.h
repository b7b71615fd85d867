#pragma once
// Address nibbles: two per byte, the first of each pair in the low half.

#include <initializer_list>

#include "sim/wire/bytes.h"

namespace varnel::sim {

// One address nibble per element: a Route, or a whole request address.
using Nibbles = std::vector<std::uint8_t>;

// An odd count gets one 0 nibble appended; only the low 4 bits of each value count.
Bytes PackNibbles(const Nibbles& nibbles);
// Every byte gives its low nibble, then its high nibble.
Nibbles UnpackNibbles(ByteView bytes);
// ".1.2.0.F" for the console and error messages: a dot and one hex digit per nibble.
std::string NibblesText(const Nibbles& nibbles);

// head followed by tail: routes grow by a few nibbles at a time.
Nibbles Joined(const Nibbles& head, std::initializer_list<std::uint8_t> tail);

}  // namespace varnel::sim
