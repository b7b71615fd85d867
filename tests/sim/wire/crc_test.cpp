// The emulator's own CRCs against their published check values.

#include <gtest/gtest.h>

#include "sim/wire/crc.h"

namespace varnel::sim {
namespace {

const Bytes kDigits = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

TEST(SimCrc, CheckValuesOfTheDigitsOneToNine) {
  EXPECT_EQ(Crc8(kDigits), 0x0B);
  EXPECT_EQ(Crc16(kDigits), 0x4B37);
  EXPECT_EQ(Crc8({}), 0xFF);
  EXPECT_EQ(Crc16({}), 0xFFFF);
}

TEST(SimCrc, ABlockFollowedByItsCrc8GivesZero) {
  const Bytes blocks[] = {{0x00}, {0x0E, 0x00, 0x10}, kDigits, Bytes(512, 0xFF)};
  for (Bytes block : blocks) {
    block.push_back(Crc8(block));
    EXPECT_EQ(Crc8(block), 0x00) << HexText(block);
  }
}

}  // namespace
}  // namespace varnel::sim
