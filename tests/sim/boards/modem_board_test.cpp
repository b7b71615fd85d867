// The modem board's versions, configuration layouts of each MCU version range and
// writes read back; its clock, memory dump, and the commands it leaves unanswered.
// The event log has tests of its own.

#include "board_test_support.h"

namespace varnel::sim {
namespace {

// Device 1: channel c sends at 100 + 40(c-1) kHz and receives 10 kHz higher; modes
// master, slave, analog; the digital ones with EOC, noise margin 26 dB (31 - 26 = 5 in
// bits 0..4); minimum rate 9.6 (96), maximum 24.0 (128 + 56). Common: -2.4 dB = 6
// steps of 0.4 in bits 1..6 (0x0C), -10.0 dB (50), -2.0 dB (10).
TEST(SimModemConfig, ReadLayoutsFollowTheVersionSettingsAndDeviceId) {
  const ModemSettings varied{
      .modes = {ChannelMode::Transit, ChannelMode::Analog, ChannelMode::Slave},
      .enabled = {true, false, true}};
  const struct {
    const char* what;
    ModemSettings settings;
    std::uint8_t device;
    std::uint8_t code;
    Bytes expected;
  } cases[] = {
      {"versions", {.mcu = 8, .fpga = 2}, 1, 0x01, {0x01, 0x08, 0x02}},
      {"common, no aggregation before 8", {.mcu = 7}, 1, 0x10, {0x10, 0x0C, 0x32, 0x0A}},
      {"common from 8", {.mcu = 8}, 1, 0x10, {0x10, 0x0C, 0x32, 0x0A, 0x00}},
      {"channel 2, seven bytes up to 10", {.mcu = 10}, 1, 0x12,
       {0x12, 0x8C, 0x80, 0x96, 0x00, 0xE5, 0x60}},
      {"channel 3, eight from 11", {.mcu = 11}, 1, 0x13,
       {0x13, 0xB4, 0x80, 0xBE, 0x00, 0x05, 0x60, 0xB8}},
      // Device 7: frequencies 24 kHz up; transit without EOC is 0x40 | 5.
      {"transit, device 7", varied, 7, 0x11, {0x11, 0x7C, 0x80, 0x86, 0x00, 0x45, 0x60, 0xB8}},
      {"disabled analog", varied, 7, 0x12, {0x12, 0xA4, 0x00, 0xAE, 0x00, 0x05, 0x60, 0xB8}},
  };
  for (const auto& c : cases) {
    TestModem modem(c.settings, c.device);
    EXPECT_EQ(modem.Ask({c.code}), c.expected) << c.what;
  }
}

// A write is answered like a read of what the board kept, or ignored when its length
// does not fit the version; either way the next read shows what the board holds.
TEST(SimModemConfig, WritesAreReadBackKeepingOnlyWhatTheVersionHas) {
  const struct {
    const char* what;
    std::uint8_t mcu;
    Bytes write;
    std::optional<Bytes> kept;
  } cases[] = {
      // TX 1000 kHz (0x3E8) enabled, RX 1023 kHz, transit with noise margin 21, rates.
      {"channel", 11, {0x12, 0xE8, 0x83, 0xFF, 0x03, 0x4A, 0x90, 0xC0},
       Bytes{0x12, 0xE8, 0x83, 0xFF, 0x03, 0x4A, 0x90, 0xC0}},
      {"ten frequency bits and the enable bit", 8, {0x11, 0x10, 0x7D, 0x20, 0xFE, 0xC0, 0x14},
       Bytes{0x11, 0x10, 0x01, 0x20, 0x02, 0xC0, 0x14}},
      {"common, two aggregation bits", 8, {0x10, 0x7E, 0x7F, 0xFF, 0x07},
       Bytes{0x10, 0x7E, 0x7F, 0xFF, 0x03}},
      {"common before 8", 7, {0x10, 0x02, 0x03, 0x04}, Bytes{0x10, 0x02, 0x03, 0x04}},
      {"aggregation before 8", 7, {0x10, 0x06, 0x07, 0x08, 0x01}, std::nullopt},
      {"no aggregation from 8", 8, {0x10, 0x02, 0x03, 0x04}, std::nullopt},
      {"maximum rate before 11", 8, {0x11, 0x01, 0x80, 0x02, 0x00, 0x00, 0x10, 0x20},
       std::nullopt},
      {"no maximum rate from 11", 11, {0x13, 0x01, 0x80, 0x02, 0x00, 0x00, 0x10}, std::nullopt},
      {"two bytes", 11, {0x13, 0x01}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestModem modem({.mcu = c.mcu});
    const Bytes before = *modem.Ask({c.write[0]});
    const CommandReply reply = modem.board.Handle(c.write);
    EXPECT_EQ(reply.body, c.kept);
    if (!c.kept) {
      EXPECT_NE(reply.note.find("MCU version " + std::to_string(c.mcu)), std::string::npos);
    }
    EXPECT_EQ(modem.Ask({c.write[0]}), c.kept.value_or(before));
  }
}

TEST(SimModemClock, CountsLocalSecondsWithinTheFourYearCycle) {
  TestModem modem;
  const std::pair<std::int64_t, Bytes> readings[] = {
      {0, {0x08, 0x00, 0x00, 0x00, 0x00, 0x00}},  // 2026-01-01 00:00:00 local starts a cycle
      {126230399, {0x08, 0x00, 0x7F, 0x1F, 0x86, 0x07}},  // the last second of the cycle
      {126230400, {0x08, 0x00, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const auto& [seconds, expected] : readings) {
    modem.At(seconds);
    EXPECT_EQ(modem.Ask({0x08}), expected) << seconds;
  }
}

TEST(SimModemClock, CorrectionAndSetTimeAreKeptAndTheClockRunsOn) {
  TestModem modem;
  modem.At(3600);
  // +5 steps: magnitude 5 with the sign bit.
  EXPECT_EQ(modem.Ask({0x08, 0x85}), (Bytes{0x08, 0x85, 0x10, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x85, 0x10, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(modem.Ask({0x08, 0x21, 0x43, 0x65, 0x07}),
            (Bytes{0x08, 0x85, 0x21, 0x43, 0x65, 0x07}));
  modem.At(3700);  // 100 s on: 0x07654321 + 0x64
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x85, 0x85, 0x43, 0x65, 0x07}));
  // Ten seconds before the end of the cycle (0x07861F80 - 10), then 15 s on.
  modem.Ask({0x08, 0x76, 0x1F, 0x86, 0x07});
  modem.At(3715);
  EXPECT_EQ(modem.Ask({0x08})->at(2), 0x05);
  // Bit 31 (battery) and bits 27..30 carry no time.
  EXPECT_EQ(modem.Ask({0x08, 0x05, 0x00, 0x00, 0xF8}),
            (Bytes{0x08, 0x85, 0x05, 0x00, 0x00, 0x00}));
}

TEST(SimModemDump, AnswersWithTheAddressAndNPlusOneBytesWrappingAtTheTop) {
  TestModem modem;
  // Below 0x100 each byte is its address's low byte; 0x1234 reads 0x34 ^ 0x12.
  EXPECT_EQ(modem.Ask({0x00, 0x0F, 0x00, 0x02}), (Bytes{0x00, 0x0F, 0x00, 0x0F, 0x10, 0x11}));
  EXPECT_EQ(modem.Ask({0x00, 0x34, 0x12, 0x00}), (Bytes{0x00, 0x34, 0x12, 0x26}));
  // FFFE, FFFF, 0000, 0001.
  EXPECT_EQ(modem.Ask({0x00, 0xFE, 0xFF, 0x03}),
            (Bytes{0x00, 0xFE, 0xFF, 0x01, 0x00, 0x00, 0x01}));
  const Bytes answer = *modem.Ask({0x00, 0x34, 0x12, 0xFF});
  ASSERT_EQ(answer.size(), 3u + 256u);
  EXPECT_EQ(answer[258], 0x20);  // 0x1333: 0x33 ^ 0x13
}

TEST(SimModemBoard, UnknownCommandsAndWrongLengthsGetNoAnswer) {
  TestModem modem;
  // Codes the board does not have.
  for (const Bytes& request : {Bytes{0x18}, Bytes{0xFF}}) {
    EXPECT_EQ(modem.Ask(request), std::nullopt) << HexText(request);
    EXPECT_NE(modem.Note(request).find("not emulated"), std::string::npos) << HexText(request);
  }
  // Program requests too short to carry a number, a restart with more bytes.
  for (const Bytes& request :
       {Bytes{0x02, 0x00}, Bytes{0x03}, Bytes{0x04, 0x00}, Bytes{0x01, 0x00}, Bytes{0x15, 0x00}, Bytes{0x00, 0x34, 0x12}, Bytes{0x08, 0x01, 0x02},
        Bytes{0x08, 0x01, 0x02, 0x03, 0x04, 0x05}, Bytes{0x14}, Bytes{0x14, 0x00},
        Bytes{0x14, 0x08}, Bytes{0x14, 0x01, 0x01}}) {
    EXPECT_EQ(modem.Ask(request), std::nullopt) << HexText(request);
  }
  EXPECT_EQ(modem.Ask({0x08}), (Bytes{0x08, 0x00, 0x00, 0x00, 0x00, 0x00}))
      << "the clock was not touched by the wrong ones";
}

}  // namespace
}  // namespace varnel::sim
