#include "sim/wire/bytes.h"

namespace varnel::sim {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::string HexText(ByteView bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

std::string HexValue(std::uint32_t value, int digits) {
  std::string text = "0x";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    text += kDigits[(value >> shift) & 0x0F];
  }
  return text;
}

void AppendBig16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  bytes.push_back(static_cast<std::uint8_t>(value));
}

void AppendBig32(Bytes& bytes, std::uint32_t value) {
  AppendBig16(bytes, static_cast<std::uint16_t>(value >> 16));
  AppendBig16(bytes, static_cast<std::uint16_t>(value));
}

void AppendLittle(Bytes& bytes, std::uint32_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

}  // namespace varnel::sim
