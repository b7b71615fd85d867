#include <gtest/gtest.h>

#include <string>

#include "transport/byte_utils.h"

using namespace varnel;

namespace {

Bytes Ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Bit-by-bit reflected CRC, independent of the tables.
template <typename T>
T SlowCrc(const Bytes& data, T crc, T poly) {
  for (std::uint8_t b : data) {
    crc = static_cast<T>(crc ^ b);
    for (int i = 0; i < 8; ++i) crc = static_cast<T>((crc & 1U) ? (crc >> 1) ^ poly : crc >> 1);
  }
  return crc;
}

}  // namespace

TEST(ByteUtils, PackingFollowsTheChosenByteOrder) {
  EXPECT_EQ(WordOf2(0x12, 0x34, true), 0x1234);
  EXPECT_EQ(WordOf2(0x12, 0x34, false), 0x3412);
  EXPECT_EQ(WordOf(0xFF, 0x01), 0xFF01);
  EXPECT_EQ(DWordOf(0x12, 0x34, 0x56, 0x78), 0x12345678u);
  EXPECT_EQ(DWordOfLE(0x12, 0x34, 0x56, 0x78), 0x78563412u);

  std::uint8_t b3, b2, b1, b0;
  SplitDWord(0xA1B2C3D4u, b3, b2, b1, b0);
  EXPECT_EQ(DWordOf(b3, b2, b1, b0), 0xA1B2C3D4u);
}

TEST(ByteUtils, SingleBitsAreZeroOutsideTheirWidth) {
  EXPECT_EQ(Bit8(0x80, 7), 1);
  EXPECT_EQ(Bit8(0x1FF, 8), 0);
  EXPECT_EQ(Bit8(0xFF, -1), 0);
  EXPECT_EQ(Bit16(0x8000, 15), 1);
  EXPECT_EQ(Bit16(0x10000, 16), 0);
}

TEST(ByteUtils, BitFieldsAreMovedDownToBitZero) {
  EXPECT_EQ(Bits32(0xDEADBEEFu, 0, 32), 0xDEADBEEFu);
  EXPECT_EQ(Bits32(0xDEADBEEFu, 4, 8), 0xEEu);
  EXPECT_EQ(Bits32(0xDEADBEEFu, 28, 4), 0xDu);
  EXPECT_EQ(Bits32(0xFFFFFFFFu, 32, 1), 0u);

  EXPECT_EQ(BitsOfFirstChar({0xB4, 0xFF}, 2, 3), 0x5);  // 1011'0100 -> 101
  EXPECT_EQ(BitsOfFirstChar({0xB4}, 0, 8), 0xB4);
  EXPECT_EQ(BitsOfFirstChar({0xB4}, 9, 1), 0);
  EXPECT_EQ(BitsOfFirstChar({}, 0, 8), 0);
}

TEST(ByteUtils, SetAndClearClampOrWrapTheBitNumber) {
  std::uint8_t b = 0;
  SetBit8(b, 3);
  SetBit8(b, -5);  // low end clamps to bit 0
  SetBit8(b, 8);   // beyond the byte: no effect
  EXPECT_EQ(b, 0x09);
  ClearBit8(b, 0);
  ClearBit8(b, 9);
  EXPECT_EQ(b, 0x08);

  std::uint16_t w = 0xFFFF;
  ClearBit16(w, 15);
  ClearBit16(w, 33);  // wraps to bit 1
  ClearBit16(w, 20);  // outside the word
  EXPECT_EQ(w, 0x7FFD);

  std::uint32_t d = 0xFFFFFFFFu;
  ClearBit32(d, 31);
  ClearBit32(d, 32);  // wraps to bit 0
  EXPECT_EQ(d, 0x7FFFFFFEu);
}

TEST(ByteUtils, CrcTablesMatchTheirPolynomials) {
  for (unsigned i = 0; i < 256; ++i) {
    const Bytes one{static_cast<std::uint8_t>(i)};
    EXPECT_EQ(Crc16Table()[i], SlowCrc<std::uint16_t>(one, 0, 0xA001)) << i;
    EXPECT_EQ(Crc8Table()[i], SlowCrc<std::uint8_t>(one, 0, 0x8C)) << i;
  }
}

TEST(ByteUtils, CrcCheckValuesAndChaining) {
  const Bytes digits = Ascii("123456789");
  EXPECT_EQ(Crc16(digits), 0x4B37);
  EXPECT_EQ(Crc8(digits), 0x0B);
  EXPECT_EQ(Crc16({}), 0xFFFF);

  // Feeding the data in two pieces equals one pass.
  const Bytes head(digits.begin(), digits.begin() + 4);
  const Bytes tail(digits.begin() + 4, digits.end());
  EXPECT_EQ(Crc16(tail, Crc16(head)), Crc16(digits));
  EXPECT_EQ(Crc8(tail, Crc8(head)), Crc8(digits));
}
