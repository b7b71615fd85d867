// Termination boards, amplifiers and the power board: answers by version and
// settings, counters and drift that follow the clock, settings written and read back,
// and what no board answers. Termination board numbers are big-endian.

#include "board_test_support.h"
#include "sim/boards/amplifier.h"
#include "sim/boards/power.h"

namespace varnel::sim {
namespace {

TEST(SimTermination, InformationAnswerCarriesVersionModulesSerialUptimeAndStatus) {
  const struct {
    TerminationSettings settings;
    std::uint8_t device;
    unsigned slot;
    Bytes expected;
  } cases[] = {
      // 3 days 2 hours = 266400 s (0x410A0); contacts 3 in bits 12..15, PoE 1 in 17..18.
      {{.version_major = 1, .version_minor = 7, .modules = {0, 7, 13}, .serial = 0xBEEF,
        .poe = PoeState::Load, .contact_input = true, .contact_output = true},
       3, 2, {0x01, 0x01, 0x07, 0x00, 0x07, 0x0D, 0xBE, 0xEF, 0, 0x04, 0x10, 0xA0, 0, 0x02, 0x30,
              0}},
      // Serial 0x10F3; 15 days 3 hours = 1306800 s (0x13F0B0); PoE bits 3, output only.
      {{.poe = PoeState::Blocked, .contact_output = true},
       15, 3, {0x01, 0x02, 0x03, 0x07, 0x09, 0x0D, 0x10, 0xF3, 0, 0x13, 0xF0, 0xB0, 0, 0x06, 0x20,
               0}},
  };
  for (const auto& c : cases) {
    TestTermination board(c.settings, c.device, c.slot);
    EXPECT_EQ(board.Ask({0x01}), c.expected) << int(c.device);
  }
}

// Defaults: line 64000 both ways (640 = 0x280, too much for bytes 7 and 8), service
// 1000, telemechanics 1200, one voice channel on module 1 at 8000 bit/s: 53800 left for
// data. Ethernet gets half of it sending (26900 = 2690 x 0.01 kbit/s) and a quarter
// receiving (13450, 1345); RS-232 runs at 1200 and 600.
const Bytes kDefaultState = {
    0x02, 0, 0, 0, 0, 0, 0x00, 0xFF, 0xFF, 0, 0x00, 0, 0, 0, 0,  // errors, short rates
    0, 0, 0, 0, 0, 0, 0, 0,                                      // byte counters
    0x0A, 0x75,                 // service 10, flags A: data Rx, service Tx+Rx, module 1, 8000
    0x0A, 0x82, 0x05, 0x41,     // Ethernet speeds
    0x00, 0x78, 0x00, 0x3C,     // RS-232 speeds
    0x0C, 0x00,                 // telemechanics 12, flags B
    0x02, 0x80, 0x02, 0x80,     // line rates
    0x00, 0x00, 0x00, 0x00};    // no PoE

TEST(SimTermination, DigitalStateAnswersInTheFullForm) {
  TestTermination defaults;
  EXPECT_EQ(defaults.Ask({0x02}), kDefaultState);
  // Two voice channels at 6400 on modules 1 and 2, no telemechanics, line 32000/24000:
  // data 18200 sending (Ethernet 9100 = 910), 10200 receiving (2550 = 255).
  TestTermination busy({.voice_modules = {1, 2}, .codec_8000 = false, .line_tx = 32000,
                        .line_rx = 24000, .tm_rate = 0, .poe = PoeState::Load,
                        .faults = {.data_rx = true}});
  const Bytes expected = {
      0x02, 0, 0, 0, 0, 0, 0x00, 0xFF, 0xF0, 0, 0x00, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 0,
      0x0A, 0x34,              // data Rx not working, service Tx+Rx, module 1, 6400
      0x03, 0x8E, 0x00, 0xFF,
      0x00, 0x78, 0x00, 0x3C,
      0x00, 0x02,              // no telemechanics; voice 2 on module 2
      0x01, 0x40, 0x00, 0xF0,
      0x1F, 0xAC, 0x90, 0x00};  // 8108 (48 V), load connected, 4096 (250 mA)
  EXPECT_EQ(busy.Ask({0x02}), expected);
}

TEST(SimTermination, AnalogStateCarriesTheLevelAndFlagsABit7) {
  TestTermination board({.analog = true, .level = 23170});  // 0 dBm
  Bytes expected{0x02, 0x5A, 0x82};
  expected.resize(24);
  expected.push_back(0x80);
  EXPECT_EQ(board.Ask({0x02}), expected);
  EXPECT_EQ(board.Ask({0x02, 0x00}), expected);
}

// Bytes 6 and 10 (service and data errors) and 15..22 (byte counters) of a state.
Bytes Counters(const Bytes& s) {
  return {s[6], s[10], s[15], s[16], s[17], s[18], s[19], s[20], s[21], s[22]};
}

TEST(SimTermination, UptimeAndCountersGrowWithTheClockUntilReset) {
  TestTermination board;
  board.clock.At(100);
  const Bytes information = *board.Ask({0x01});  // 90100 s up
  EXPECT_EQ(Bytes(information.begin() + 8, information.begin() + 12),
            (Bytes{0x00, 0x01, 0x5F, 0xF4}));
  // Errors 3 and 6 a minute: 5 and 10. Bytes: 26900 x 100 / 8 = 336250, which wraps
  // to 8570 (0x217A); 168125 to 37053 (0x90BD); 15000 (0x3A98); 7500 (0x1D4C).
  EXPECT_EQ(Counters(*board.Ask({0x02})),
            (Bytes{5, 10, 0x21, 0x7A, 0x90, 0xBD, 0x3A, 0x98, 0x1D, 0x4C}));
  EXPECT_EQ(board.Ask({0x02, 0x00}), kDefaultState);
  board.clock.At(120);
  // 20 s: 1 and 2 errors, 26900 x 20 / 8 = 67250 wraps to 1714 (0x06B2), 33625
  // (0x8359), 3000 (0x0BB8), 1500 (0x05DC).
  EXPECT_EQ(Counters(*board.Ask({0x02})),
            (Bytes{1, 2, 0x06, 0xB2, 0x83, 0x59, 0x0B, 0xB8, 0x05, 0xDC}));
  board.clock.At(100000);  // error counters stop at 255
  EXPECT_EQ(board.Ask({0x02})->at(6), 255);
  EXPECT_EQ(board.Ask({0x02})->at(10), 255);
}

TEST(SimTermination, LoopRequestsCycleThroughTheThreeModes) {
  TestTermination board;
  EXPECT_FALSE(board.Ask({0x07, 0x54})) << "only 07 55 moves the loop";
  // Loop, sine at 10 x 100 Hz, normal again.
  EXPECT_EQ(board.Ask({0x07, 0x55}), (Bytes{0x07, 0x01, 0x00}));
  EXPECT_EQ(board.Ask({0x07, 0x55}), (Bytes{0x07, 0x02, 0x0A}));
  EXPECT_EQ(board.Ask({0x07, 0x55}), (Bytes{0x07, 0x00, 0x00}));
}

using TestAmplifier = Clocked<AmplifierBoard>;

// At kNewYear2026 the temperature of the first amplifier is at the bottom of its drift,
// 38 - 2 = 36 (0x24). Level 43 (0x2B). The small scenario's amplifiers show the second
// amplifier's drift and the alarm byte of two.
TEST(SimAmplifier, TemperatureDriftsOneDegreeAMinute) {
  TestAmplifier amplifier(AmplifierSettings{}, 0, false);
  std::vector<std::uint8_t> temperatures;
  for (int minute = 0; minute < 9; ++minute) {
    amplifier.clock.At(60 * minute);
    temperatures.push_back(amplifier.Ask({0x01})->at(4));
  }
  EXPECT_EQ(temperatures, (std::vector<std::uint8_t>{36, 37, 38, 39, 40, 39, 38, 37, 36}));
}

TEST(SimAmplifier, SettingByteSetsTwoAmplifiersAndMasksThenReadsBack) {
  // From version 7 the answer carries the mask byte, A1, A3, A4 (0x1A) at first.
  TestAmplifier seven(AmplifierSettings{.version = 7}, 0, false);
  EXPECT_EQ(seven.Ask({0x01}), (Bytes{0x01, 0x07, 0x00, 0x2B, 0x24, 0x1A}));
  TestAmplifier amplifier(AmplifierSettings{.alarms = 0x12}, 0, false);
  // Bit 0 becomes bit 6 of the alarm byte; bits 1, 3, 4 the mask; the rest is dropped.
  const std::array<std::uint8_t, 3> steps[] = {{0x1A, 0x12, 0x1A}, {0x0B, 0x52, 0x0A},
                                               {0xE4, 0x12, 0x00}};
  for (const auto& [setting, alarm_byte, mask] : steps) {
    const Bytes expected{0x01, 0x08, alarm_byte, 0x2B, 0x24, mask};
    EXPECT_EQ(amplifier.Ask({0x01, setting}), expected) << int(setting);
    EXPECT_EQ(amplifier.Ask({0x01}), expected) << int(setting);
  }
  // Below version 7 the write still sets bit 6; the mask is not answered.
  TestAmplifier old(AmplifierSettings{.version = 6}, 0, false);
  EXPECT_EQ(old.Ask({0x01, 0x01}), (Bytes{0x01, 0x06, 0x40, 0x2B, 0x24}));
}

TEST(SimBoards, PowerAnswersReadAndWriteAndUnknownRequestsStaySilent) {
  PowerBoard power;
  // Its write is answered like its read: version 3, 48.0 V as 480 tenths.
  EXPECT_EQ(Ask(power, {0x01, 0x00}), (Bytes{0x01, 0x03, 0x01, 0xE0}));
  TestClock clock;
  TerminationBoard termination({}, 1, 1, clock.Clock());
  AmplifierBoard amplifier({}, 0, false, clock.Clock());
  const struct {
    BoardEmulation& board;
    Bytes request;
    const char* note;
  } cases[] = {
      {termination, {0x01, 0x00}, "termination 1: 01 00 ignored"},
      {termination, {0x02, 0x01}, "termination 1: 02 01 ignored"},
      {termination, {0x03}, "termination 1: 03 ignored"},
      {amplifier, {0x02}, "amplifier 6: 02 ignored"},
      {amplifier, {0x01, 0x01, 0x01}, "amplifier 6: 01 01 01 ignored"},
      {power, {0x00}, "power: 00 ignored"},
      {power, {0x01, 0x01}, "power: 01 01 ignored"},  // its write is 01 00
  };
  for (const auto& c : cases) {
    const CommandReply reply = c.board.Handle(c.request);
    EXPECT_FALSE(reply.body) << c.note;
    EXPECT_NE(reply.note.find(c.note), std::string::npos) << reply.note;
  }
}

}  // namespace
}  // namespace varnel::sim
