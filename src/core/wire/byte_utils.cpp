#include "wire/byte_utils.h"

namespace varnel {

std::uint16_t WordOf(std::uint8_t hi, std::uint8_t lo) {
  return static_cast<std::uint16_t>((hi << 8) | lo);
}

std::uint32_t DWordOf(std::uint8_t b3, std::uint8_t b2, std::uint8_t b1, std::uint8_t b0) {
  return (std::uint32_t{b3} << 24) | (std::uint32_t{b2} << 16) | (std::uint32_t{b1} << 8) | b0;
}

std::uint32_t DWordOfLE(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return DWordOf(b3, b2, b1, b0);
}

void SplitWord(std::uint16_t w, std::uint8_t& hi, std::uint8_t& lo) {
  hi = static_cast<std::uint8_t>(w >> 8);
  lo = static_cast<std::uint8_t>(w);
}

std::uint8_t Bit8(std::uint32_t value, int n) {
  if (n < 0 || n > 7) return 0;
  return static_cast<std::uint8_t>((value >> n) & 1U);
}

std::uint8_t Bit16(std::uint32_t value, int n) {
  if (n < 0 || n > 15) return 0;
  return static_cast<std::uint8_t>((value >> n) & 1U);
}

// Shift counts wrap like the processor's, so odd start/count pairs stay defined
// (count 32 at start 0 yields the whole value).
std::uint32_t Bits32(std::uint32_t value, int start, int count) {
  if (start >= 32) return 0;
  const unsigned left = static_cast<unsigned>(32 - start - count) & 31U;
  const unsigned right = static_cast<unsigned>(32 - count) & 31U;
  return (value << left) >> right;
}

void SetBit8(std::uint8_t& b, int n) {
  if (n >= 8) return;
  b = static_cast<std::uint8_t>(b | (1U << (n < 0 ? 0 : n)));
}

void ClearBit8(std::uint8_t& b, int n) {
  if (n >= 8) return;
  b = static_cast<std::uint8_t>(b & ~(1U << (n < 0 ? 0 : n)));
}

namespace {

// Reflected table: entry i is i run through eight shift-and-maybe-XOR steps.
template <typename T>
constexpr std::array<T, 256> MakeReflectedTable(T poly) {
  std::array<T, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    T v = static_cast<T>(i);
    for (int bit = 0; bit < 8; ++bit) {
      const bool drop = (v & 1U) != 0;
      v = static_cast<T>(v >> 1);
      if (drop) v = static_cast<T>(v ^ poly);
    }
    table[i] = v;
  }
  return table;
}

constexpr auto kCrc16Table = MakeReflectedTable<std::uint16_t>(0xA001);
constexpr auto kCrc8Table = MakeReflectedTable<std::uint8_t>(0x8C);

}  // namespace

const std::array<std::uint16_t, 256>& Crc16Table() { return kCrc16Table; }
const std::array<std::uint8_t, 256>& Crc8Table() { return kCrc8Table; }

std::uint16_t Crc16Step(std::uint8_t b, std::uint16_t crc) {
  return static_cast<std::uint16_t>((crc >> 8) ^ kCrc16Table[(b ^ crc) & 0xFFU]);
}

std::uint8_t Crc8Step(std::uint8_t b, std::uint8_t crc) {
  return kCrc8Table[(b ^ crc) & 0xFFU];
}

std::uint16_t Crc16(ByteView data, std::uint16_t crc) {
  for (std::uint8_t b : data) crc = Crc16Step(b, crc);
  return crc;
}

std::uint8_t Crc8(ByteView data, std::uint8_t crc) {
  for (std::uint8_t b : data) crc = Crc8Step(b, crc);
  return crc;
}

}  // namespace varnel
