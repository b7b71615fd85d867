// Termination board and amplifier keys of a scenario, the boards framed behind a
// device's send Route, and what the shipped scenarios fit.

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "sim_scenario_reader.h"
#include "sim_test_support.h"

namespace varnel::sim {
namespace {

const std::string kRoot = "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n";
const std::string kDevice = "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\n";

TEST(SimBoardScenario, SharedKeysApplyToEveryBoardAndNumberedOnesWin) {
  const ScenarioRead read = ReadScenario(
      kRoot +
      "sl_slots=1,3\nsl_version=1.7\nsl3_version=2.0\nsl_modules=0, 7,13\nsl1_mode=analog\n"
      "sl1_level=100\nsl_voice=1,2\nsl3_voice=\nsl2_serial=4660\nsl_poe=load\n"
      "sl3_poe=blocked\nsl_contacts=output\nsl_faults=data_rx,service_tx\n"
      "sl3_line_rate=6553500,100\nsl_service_rate=800\nsl_tm_rate=0\nsl_codec=6400\n"
      "sl_error_rate=60\nap_slots=8,6\nap_version=6\nap6_version=9\nap6_alarms=A4,A1\n"
      "ap8_level=40\nap_temperature=45\n");
  ASSERT_TRUE(read.scenario) << read.error;
  TerminationSettings common{.version_major = 1, .version_minor = 7, .modules = {0, 7, 13}};
  common.voice_modules = {1, 2};
  common.codec_8000 = false;
  common.service_rate = 800;
  common.tm_rate = 0;
  common.poe = PoeState::Load;
  common.contact_output = true;
  common.faults = {false, true, true};
  common.errors_per_minute = 60;
  TerminationBoards expected{common, common, common};
  expected[0].analog = true;
  expected[0].level = 100;
  expected[1].fitted = false;
  expected[1].serial = 4660;
  expected[2].version_major = 2;
  expected[2].version_minor = 0;
  expected[2].voice_modules = {0, 0};
  expected[2].poe = PoeState::Blocked;
  expected[2].line_tx = 6553500;
  expected[2].line_rx = 100;
  EXPECT_EQ(read.scenario->roots[0].boards.termination, expected);
  const AmplifierBoards amplifiers = read.scenario->roots[0].boards.amplifiers;
  EXPECT_EQ(amplifiers[0], (AmplifierSettings{true, 9, 0x12, 43, 45}));
  EXPECT_EQ(amplifiers[1], (AmplifierSettings{true, 6, 0x00, 40, 45}));
}

TEST(SimBoardScenario, RootsFitThreeTerminationBoardsDevicesOneAndBothOneAmplifier) {
  const ScenarioRead read = ReadScenario(
      kRoot + kDevice + "[dev.b]\nmaster=r\nchannel=3\nup=1\nid=8\nname=B\nsl_slots=\n");
  ASSERT_TRUE(read.scenario) << read.error;
  auto fitted = [](const BoardSettings& boards) {
    std::string slots;
    for (const TerminationSettings& t : boards.termination) slots += t.fitted ? "S" : "-";
    for (const AmplifierSettings& a : boards.amplifiers) slots += a.fitted ? "A" : "-";
    return slots;
  };
  EXPECT_EQ(fitted(read.scenario->roots[0].boards), "SSSA-");
  EXPECT_EQ(fitted(read.scenario->devices[0].boards), "S--A-");
  EXPECT_EQ(fitted(read.scenario->devices[1].boards), "---A-");
}

TEST(SimBoardScenario, WrongBoardKeysNameTheirSectionAndKey) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"sl_slots=1,4", "sl_slots=1,4: a list of slots out of 1, 2, 3"},
      {"sl2_version=2", "sl2_version=2: a version M.N"},
      {"sl_modules=7,9,16", "sl_modules=7,9,16: three"},
      {"sl3_mode=digitall", "sl3_mode=digitall: digital or analog"},
      {"sl_voice=1,2,3", "sl_voice=1,2,3: up to two modules"},
      {"sl_line_rate=64050", "sl_line_rate=64050: TX[,RX] in bit/s"},
      {"sl_tm_rate=25600", "sl_tm_rate=25600: bit/s"},
      {"sl_poe=on", "sl_poe=on: one of none, no_load, load, blocked"},
      {"sl_faults=data_tx", "sl_faults=data_tx: a list of service_rx"},
      {"sl4_version=2.0", "unknown key \"sl4_version\""},
      {"ap_slots=7", "ap_slots=7: a list of slots out of 6, 8"},
      {"ap_alarms=A5", "ap_alarms=A5: a list of A1, A2, A3, A4"},
  };
  for (const auto& [line, expected] : cases) {
    for (const std::string& section : {std::string("[root.r] "), std::string("[dev.a] ")}) {
      const std::string ini = section == "[root.r] " ? kRoot + line : kRoot + kDevice + line;
      const std::string error = NetworksFromIni(ini + "\n").error;
      EXPECT_NE(error.find(section + expected), std::string::npos) << line << ": " << error;
    }
  }
}

TEST(SimBoardScenario, SmallRootBoardsAnswerBehindItsRoute) {
  TestClock clock;
  NetworksBuilt built = NetworksFromFile(ScenarioFile("small.ini"), clock.Clock());
  ASSERT_EQ(built.error, "");
  const Emulator emulator(std::move(built.networks.at(0)));
  // Nibbles 1 and the board address; the answer keeps them. kedr is ID 1, slot 1:
  // version 2.3, modules 7, 9, 13, serial 0x1011, 90000 s up, PoE supported.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x51, 0x01, 0xAD})),
            (std::vector<Bytes>{{0x80, 0x51, 0x01, 0x02, 0x03, 0x07, 0x09, 0x0D, 0x10, 0x11, 0x00,
                                 0x01, 0x5F, 0x90, 0x00, 0x02, 0x00, 0x00, 0xF6}}));
  // Slot 3 is not fitted.
  const Outcome silent = emulator.Handle(Bytes{0x00, 0x71, 0x01, 0x8D});
  EXPECT_TRUE(silent.answers.empty());
  EXPECT_NE(silent.note.find("board 07 not fitted"), std::string::npos) << silent.note;
  // Amplifier 1: version 8, A1 and A4 with two amplifiers (0x52), level 43, 36 °C,
  // nothing masked; amplifier 2 at version 6 answers five bytes.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0xA1, 0x01, 0x5D})),
            (std::vector<Bytes>{{0x80, 0xA1, 0x01, 0x08, 0x52, 0x2B, 0x24, 0x1A, 0x19}}));
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0xC1, 0x01, 0x3D})),
            (std::vector<Bytes>{{0x80, 0xC1, 0x01, 0x06, 0x40, 0x2B, 0x28, 0x23}}));
  // Power board 0x0E.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0xE1, 0x01, 0x1D})),
            (std::vector<Bytes>{{0x80, 0xE1, 0x01, 0x03, 0x01, 0xE0, 0xB7}}));
}

TEST(SimBoardScenario, DemoShowsEveryKindOfBoardView) {
  const ScenarioRead read = ReadScenarioFile(ScenarioFile("demo.ini"));
  ASSERT_TRUE(read.scenario) << read.error;
  const BoardSettings& root = read.scenario->roots.at(0).boards;
  EXPECT_EQ(root.termination[0].voice_modules, (std::array<std::uint8_t, 2>{1, 2}));
  EXPECT_EQ(root.termination[0].poe, PoeState::Load);
  EXPECT_TRUE(root.termination[1].analog);
  EXPECT_EQ(root.termination[2].tm_rate, 0u);
  EXPECT_EQ(root.amplifiers[0].alarms, 0x0A);  // A1, A3
  EXPECT_EQ(root.amplifiers[1].version, 6);
  const DeviceEntry& yuzhnaya = read.scenario->devices.at(0);
  EXPECT_EQ(yuzhnaya.key, "yuzhnaya");
  EXPECT_EQ(yuzhnaya.boards.termination[0].version_minor, 7) << "version 1.7 hides the contacts";
}

}  // namespace
}  // namespace varnel::sim
