// Amplifiers and the power board: status answers by version, the drifting
// temperature, and the setting byte written and read back; what no board answers.

#include "board_test_support.h"
#include "sim_amplifier_board.h"
#include "sim_power_board.h"
#include "sim_termination_board.h"

namespace varnel::sim {
namespace {

using TestAmplifier = Clocked<AmplifierBoard>;

AmplifierSettings Amplifier(std::uint8_t version, std::uint8_t alarms = 0) {
  AmplifierSettings settings;
  settings.version = version;
  settings.alarms = alarms;
  return settings;
}

// At kNewYear2026 the temperature of the first amplifier is at the bottom of its drift,
// 38 - 2 = 36 (0x24); the second runs four minutes ahead, at 38 + 2. Level 43 (0x2B).
TEST(SimAmplifier, StatusAnswerByVersionAlarmsAndSlot) {
  struct Case {
    const char* what;
    AmplifierSettings settings;
    std::size_t index;
    bool two;
    Bytes expected;
  };
  const Case cases[] = {
      // Nothing masked: A1, A3, A4 mask bits set.
      {"defaults", {}, 0, false, {0x01, 0x08, 0x00, 0x2B, 0x24, 0x1A}},
      {"version 7 has the mask byte", Amplifier(7), 0, false, {0x01, 0x07, 0x00, 0x2B, 0x24, 0x1A}},
      {"version 6 has not", Amplifier(6), 0, false, {0x01, 0x06, 0x00, 0x2B, 0x24}},
      // A1 and A4 (bits 1 and 4) with bit 6 for two amplifiers.
      {"alarms, two fitted", Amplifier(8, 0x12), 0, true, {0x01, 0x08, 0x52, 0x2B, 0x24, 0x1A}},
      {"second amplifier", {}, 1, true, {0x01, 0x08, 0x40, 0x2B, 0x28, 0x1A}},
  };
  for (const Case& c : cases) {
    TestAmplifier amplifier(c.settings, c.index, c.two);
    EXPECT_EQ(amplifier.Ask({0x01}), c.expected) << c.what;
  }
}

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
  TestAmplifier amplifier(Amplifier(8, 0x12), 0, false);
  struct Step {
    std::uint8_t setting;
    std::uint8_t alarm_byte;
    std::uint8_t mask;
  };
  // Bit 0 becomes bit 6 of the alarm byte; bits 1, 3, 4 the mask; the rest is dropped.
  const Step steps[] = {{0x01, 0x52, 0x00}, {0x1A, 0x12, 0x1A}, {0x0B, 0x52, 0x0A},
                        {0xE4, 0x12, 0x00}, {0xFF, 0x52, 0x1A}};
  for (const Step& s : steps) {
    const Bytes expected{0x01, 0x08, s.alarm_byte, 0x2B, 0x24, s.mask};
    EXPECT_EQ(amplifier.Ask({0x01, s.setting}), expected) << int(s.setting);
    EXPECT_EQ(amplifier.Ask({0x01}), expected) << int(s.setting);
  }
  // Below version 7 the write still sets bit 6; the mask is not answered.
  TestAmplifier old(Amplifier(6), 0, false);
  EXPECT_EQ(old.Ask({0x01, 0x01}), (Bytes{0x01, 0x06, 0x40, 0x2B, 0x24}));
}

TEST(SimBoards, PowerBoardAnswersReadAndWrite) {
  PowerBoard power;
  // Version 3, 48.0 V as 480 tenths.
  EXPECT_EQ(Ask(power, {0x01}), (Bytes{0x01, 0x03, 0x01, 0xE0}));
  EXPECT_EQ(Ask(power, {0x01, 0x00}), (Bytes{0x01, 0x03, 0x01, 0xE0}));
}

TEST(SimBoards, UnknownRequestsStaySilentAndSaySo) {
  TestClock clock;
  TerminationBoard termination({}, 1, 1, clock.Clock());
  AmplifierBoard amplifier({}, 0, false, clock.Clock());
  PowerBoard power;
  struct Case {
    BoardEmulation& board;
    Bytes request;
    std::string note;
  };
  const Case cases[] = {
      {termination, {0x01, 0x00}, "termination 1: 01 00 ignored"},
      {termination, {0x02, 0x01}, "termination 1: 02 01 ignored"},
      {termination, {0x07}, "termination 1: 07 ignored"},
      {termination, {0x03}, "termination 1: 03 ignored"},
      {amplifier, {0x02}, "amplifier 6: 02 ignored"},
      {amplifier, {0x01, 0x01, 0x01}, "amplifier 6: 01 01 01 ignored"},
      {power, {0x00}, "power: 00 ignored"},
      {power, {0x01, 0x01}, "power: 01 01 ignored"},  // its write is 01 00
  };
  for (const Case& c : cases) {
    const CommandReply reply = c.board.Handle(c.request);
    EXPECT_FALSE(reply.body) << c.note;
    EXPECT_NE(reply.note.find(c.note), std::string::npos) << reply.note;
  }
}

}  // namespace
}  // namespace varnel::sim
