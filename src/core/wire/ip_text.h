#pragma once
// Dotted IPv4 texts and fixed-width fields. Addresses travel as four bytes,
// the first byte being the first dotted number.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "wire/byte_utils.h"

namespace varnel {

using IpBytes = std::array<std::uint8_t, 4>;

// Four groups of digits, each at most 255, leading zeros allowed; a trailing
// dot after the fourth group passes. 7 to 255 characters.
bool IsValidIp(std::string_view text);
// "a.b.c.d" without leading zeros; "0.0.0.0" unless exactly 4 bytes.
std::string IpToText(ByteView bytes);
// The low 8 bits of each dot-separated number, read up to its first non-digit
// (0 when it has none). Check the text with IsValidIp where it matters.
IpBytes IpFromText(std::string_view text);

enum class PadSide { Front, Behind };
// The text extended to width characters by repeating pad; a text at or above
// the width, or an empty pad, leaves it unchanged. Counts UTF-8 characters.
std::string PadText(std::string_view text, int width, std::string_view pad, PadSide side);

}  // namespace varnel
