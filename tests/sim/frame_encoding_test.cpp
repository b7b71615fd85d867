// Checksum and nibble packing as the block encodes them.

#include <gtest/gtest.h>

#include <random>

#include "sim_checksum.h"
#include "sim_nibbles.h"

namespace varnel::sim {
namespace {

TEST(SimChecksum, MatchesHandComputedValuesAndChecksItsOwnFrameToZero) {
  EXPECT_EQ(FrameChecksum(Bytes{}), 0xFF);
  EXPECT_EQ(FrameChecksum(Bytes(300, 0xFF)), 0x00);
  EXPECT_EQ(FrameChecksum(Bytes{0xFF, 0x01}), 0xFE);  // 0x100 folds back to 0x01
  EXPECT_EQ(FrameChecksum(Bytes{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA}), 0xF5);

  std::mt19937 random(12348);
  for (std::size_t length = 0; length < 600; length += 7) {
    Bytes frame(length);
    for (auto& b : frame) b = static_cast<std::uint8_t>(random());
    frame.push_back(FrameChecksum(frame));
    EXPECT_EQ(FrameChecksum(frame), 0) << "length " << length;
  }
}

TEST(SimNibbles, FirstNibbleGoesLowAndOddCountsArePadded) {
  EXPECT_EQ(PackNibbles({1, 2, 0, 15, 5}), (Bytes{0x21, 0xF0, 0x05}));
  EXPECT_EQ(PackNibbles({0x1F, 0x23}), (Bytes{0x3F}));  // only four bits each
  EXPECT_EQ(UnpackNibbles(Bytes{0x21, 0xF0}), (Nibbles{1, 2, 0, 15}));
}

}  // namespace
}  // namespace varnel::sim
