// The modem board's clock, its memory dump, and the commands it leaves unanswered.

#include "modem_test_support.h"

namespace varnel::sim {
namespace {

TEST(SimModemClock, CountsLocalSecondsWithinTheFourYearCycle) {
  TestModem modem;
  // 2026-01-01 00:00:00 local starts a cycle.
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x00, 0x00, 0x00, 0x00}));
  modem.At(3600);
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x10, 0x0E, 0x00, 0x00}));
  // One second before the next cycle: 126230399 = 0x07861F7F.
  modem.At(126230399);
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x7F, 0x1F, 0x86, 0x07}));
  modem.At(126230400);
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST(SimModemClock, RateCorrectionIsKeptAndReported) {
  TestModem modem;
  modem.At(3600);
  // +5 steps: magnitude 5 with the sign bit.
  EXPECT_EQ(modem.Ask({0x08, 0x85}), (Bytes{0x08, 0x85, 0x10, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x85, 0x10, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(modem.Ask({0x08, 0x05}), (Bytes{0x08, 0x05, 0x10, 0x0E, 0x00, 0x00}));
}

TEST(SimModemClock, SetTimeRunsOnFromTheNewValue) {
  TestModem modem;
  modem.At(3600);
  EXPECT_EQ(modem.Ask({0x08, 0x21, 0x43, 0x65, 0x07}),
            (Bytes{0x08, 0x00, 0x21, 0x43, 0x65, 0x07}));
  modem.At(3700);  // 100 s on: 0x07654321 + 0x64
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x85, 0x43, 0x65, 0x07}));
}

TEST(SimModemClock, SetTimeWrapsAtTheCycleAndDropsTheFlagBits) {
  TestModem modem;
  // Ten seconds before the end of the cycle (0x07861F80 - 10), then 15 s on.
  modem.Ask({0x08, 0x76, 0x1F, 0x86, 0x07});
  modem.At(15);
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x05, 0x00, 0x00, 0x00}));
  // Bit 31 (battery) and bits 27..30 carry no time.
  EXPECT_EQ(modem.Ask({0x08, 0x05, 0x00, 0x00, 0xF8}),
            (Bytes{0x08, 0x00, 0x05, 0x00, 0x00, 0x00}));
}

TEST(SimModemDump, AnswersWithTheAddressAndNPlusOneBytes) {
  TestModem modem;
  // Address 0x000F, 16 bytes: below 0x100 each byte is its address's low byte.
  EXPECT_EQ(modem.Ask({0x00, 0x0F, 0x00, 0x0F}),
            (Bytes{0x00, 0x0F, 0x00, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                   0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E}));
  // One byte at 0x1234: 0x34 ^ 0x12.
  EXPECT_EQ(modem.Ask({0x00, 0x34, 0x12, 0x00}), (Bytes{0x00, 0x34, 0x12, 0x26}));
}

TEST(SimModemDump, ReadsUpTo256BytesAndWrapsAtTheTopOfMemory) {
  TestModem modem;
  // FFFE, FFFF, 0000, 0001.
  EXPECT_EQ(modem.Ask({0x00, 0xFE, 0xFF, 0x03}),
            (Bytes{0x00, 0xFE, 0xFF, 0x01, 0x00, 0x00, 0x01}));
  const Bytes answer = *modem.Ask({0x00, 0x34, 0x12, 0xFF});
  ASSERT_EQ(answer.size(), 3u + 256u);
  EXPECT_EQ(answer[258], 0x20);  // 0x1333: 0x33 ^ 0x13
}

TEST(SimModemBoard, UnknownCommandsGetNoAnswerButANote) {
  TestModem modem;
  // Event log, firmware transfer, restart, and codes the board does not have.
  for (const Bytes& request : {Bytes{0x09, 0xFF, 0x0F}, Bytes{0x02, 0x00}, Bytes{0x03},
                               Bytes{0x04}, Bytes{0x18}, Bytes{0xFF}}) {
    EXPECT_EQ(modem.Ask(request), std::nullopt) << HexText(request);
    EXPECT_NE(modem.Note(request).find("not emulated"), std::string::npos) << HexText(request);
  }
}

TEST(SimModemBoard, KnownCommandsOfTheWrongLengthGetNoAnswer) {
  TestModem modem;
  for (const Bytes& request :
       {Bytes{0x01, 0x00}, Bytes{0x15, 0x00}, Bytes{0x00, 0x34, 0x12}, Bytes{0x08, 0x01, 0x02},
        Bytes{0x08, 0x01, 0x02, 0x03, 0x04, 0x05}, Bytes{0x14}, Bytes{0x14, 0x00},
        Bytes{0x14, 0x08}, Bytes{0x14, 0x01, 0x01}}) {
    EXPECT_EQ(modem.Ask(request), std::nullopt) << HexText(request);
  }
  // The clock was not touched by the wrong ones.
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

}  // namespace
}  // namespace varnel::sim
