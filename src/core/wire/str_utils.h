#pragma once
// Hexadecimal text, fixed-length name fields and numbers with a decimal comma.
// Texts are UTF-8; wire names stay raw bytes until cp1251.h converts them.

#include <string>
#include <string_view>

#include "wire/byte_utils.h"

namespace varnel {

// Two upper-case hex digits per byte, no separators.
std::string BytesToHex(const std::uint8_t* data, std::size_t n);
std::string BytesToHex(const Bytes& data);
// Upper-case hexadecimal, at least minDigits digits (more when the value needs them).
std::string HexText(std::uint32_t value, int minDigits);
// Odd length gets a leading "0"; pairs with a non-hex character are skipped.
Bytes HexToBytes(std::string_view text);
// The non-zero bytes of the first n bytes; empty when data is shorter than n
// or the field is all 0x00 or all 0xFF (erased). Raw bytes, not yet decoded.
std::string BytesToName(const Bytes& data, std::size_t n);
std::string BytesToName(const std::uint8_t* data, std::size_t size, std::size_t n);

// Fixed-point with d decimals, 7 significant digits, decimal comma.
std::string FixedText(int d, double x);
// Mantissa above 1 and a negative power of ten, e.g. "5,00•10^-2".
std::string PowerText(int d, double x);
// Accepts either "." or "," as the decimal separator.
bool TryParseDecimal(std::string_view text, double& value);

}  // namespace varnel
