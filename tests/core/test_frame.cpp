#include <gtest/gtest.h>

#include <random>

#include "transport/frame.h"

using namespace varnel;

namespace {

// The closed form of the checksum: complement of the one's-complement sum.
std::uint8_t ReferenceChecksum(const Bytes& data) {
  std::uint64_t sum = 0;
  for (auto b : data) sum += b;
  if (sum == 0) return 0xFF;
  return static_cast<std::uint8_t>(255 - (((sum - 1) % 255) + 1));
}

}  // namespace

TEST(FrameChecksum, KnownValues) {
  EXPECT_EQ(FrameChecksum(Bytes{}), 0xFF);
  EXPECT_EQ(FrameChecksum(Bytes{0x00, 0x0F}), 0xF0);
  EXPECT_EQ(FrameChecksum(Bytes(300, 0xFF)), 0x00);
  // 0x100 folds to 1: the end-around carry.
  EXPECT_EQ(FrameChecksum(Bytes{0xFF, 0x01}), 0xFE);
  // Sum 0x1FFFF: 01 + FF + FF = 0x1FF, then 0x100, and only the second fold gives 1.
  Bytes twoFolds(514, 0xFF);
  twoFolds.push_back(0x01);
  EXPECT_EQ(FrameChecksum(twoFolds), 0xFE);
  // 0x41 + 0x01 = 0x42.
  EXPECT_EQ(FrameChecksum(Bytes{0x00, 0x41, 0x01}), 0xBD);
  // 0x80 + 0x01 + 0x05 + 0x41 + 0x42 = 0x109 -> 0x0A.
  EXPECT_EQ(FrameChecksum(Bytes{0x80, 0x01, 0x00, 0x05, 0x41, 0x42}), 0xF5);
}

TEST(FrameChecksum, MatchesClosedFormAndSealsEveryFrame) {
  std::mt19937 rng(7);
  for (std::size_t len : {1u, 2u, 3u, 17u, 255u, 256u, 1000u, 70000u}) {
    for (int round = 0; round < 4; ++round) {
      Bytes frame(len);
      // Round 0 is all 0xFF so that the 32-bit sum needs its upper bytes.
      for (auto& b : frame) b = round == 0 ? 0xFF : static_cast<std::uint8_t>(rng());
      ASSERT_EQ(FrameChecksum(frame), ReferenceChecksum(frame)) << "len " << len;
      frame.push_back(FrameChecksum(frame));
      EXPECT_EQ(FrameChecksum(frame), 0) << "len " << len;
    }
  }
}

TEST(PackNibbles, FirstNibbleLowOddLengthPadded) {
  EXPECT_EQ(PackNibbles(Route{}), Bytes{});
  EXPECT_EQ(PackNibbles(Route{1, 4}), Bytes{0x41});
  EXPECT_EQ(PackNibbles(Route{4}), Bytes{0x04});
  EXPECT_EQ(PackNibbles(Route{1, 2, 5}), (Bytes{0x21, 0x05}));
  EXPECT_EQ(PackNibbles(Route{15, 0}), Bytes{0x0F});
  // Only the low four bits of each nibble count.
  EXPECT_EQ(PackNibbles(Route{0x1F, 0x24}), Bytes{0x4F});
  EXPECT_EQ(PackNibbles(Route{0xFF, 0xFF}), Bytes{0xFF});
}

TEST(NibblesToText, DotAndOneHexDigitPerNibble) {
  EXPECT_EQ(NibblesToText(Route{1, 2, 10}), ".1.2.A");
  EXPECT_EQ(NibblesToText(Route{15, 0}), ".F.0");
  EXPECT_EQ(NibblesToText(Route{}), "");
}

TEST(CheckAnswer, LengthThenDirectionThenChecksum) {
  auto check = [](Bytes b) { return CheckAnswer(b.data(), b.size()); };
  // Two bytes summing to 0xFF would pass the checksum, but are too short.
  EXPECT_EQ(check({0x80, 0x7F}), AnswerCheck::TooShort);
  EXPECT_EQ(check({}), AnswerCheck::TooShort);
  // A well-sealed request is not an answer.
  EXPECT_EQ(check({0x00, 0x01, 0xFE}), AnswerCheck::NotAnswer);
  EXPECT_EQ(check({0x80, 0x01, 0x7E}), AnswerCheck::Ok);
  EXPECT_EQ(check({0x80, 0x01, 0x7F}), AnswerCheck::BadChecksum);
  EXPECT_EQ(check({0x80, 0x01, 0x00, 0x05, 0x41, 0x42, 0xF5}), AnswerCheck::Ok);
}

TEST(RequestBuilders, DeviceLevelRequestsFollowTheNibbleTable) {
  // 15, 0: sealed, this is the three bytes 00 0F F0.
  EXPECT_EQ(BroadcastIdentityRequest(), (Bytes{0x00, 0x0F}));
  // ID Route 1, 2, 0, 7 then 0, padded: 21 70 00.
  EXPECT_EQ(OpenBlockRequest(Route{1, 2, 0, 7}), (Bytes{0x00, 0x21, 0x70, 0x00}));
  EXPECT_EQ(OpenBlockRequest(Route{1}), (Bytes{0x00, 0x01}));
  // Send Route 1, side 2, 0, 15, 0: 21 F0 00.
  EXPECT_EQ(SideProbeRequest(Route{1}, 2), (Bytes{0x00, 0x21, 0xF0, 0x00}));
  // Send Route 1, 2, side 0, 0, 15, 0: 21 00 0F.
  EXPECT_EQ(SideProbeRequest(Route{1, 2}, 0), (Bytes{0x00, 0x21, 0x00, 0x0F}));
}
