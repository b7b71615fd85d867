// Board keys of a scenario (modem, termination boards, amplifiers) and the boards
// framed behind a device's send Route.

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "sim/scenario/reader.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

const std::string kRoot = "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n";
const std::string kDevice = "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\n";

TEST(SimBoardScenario, ReadsBoardKeysSharedByEveryBoardOrNumberedToWin) {
  const ScenarioRead read = ReadScenario(
      kRoot +
      "modem_mcu=8\nmodem_fpga=2\nmodem_modes= transit, master ,analog\nmodem_off=1, 3\n"
      "modem_error_rate=60\nmodem_log=4095\nmodem_log_first=4000\nmodem_log_rate=600\n"
      "modem_log_clock=unset\n"
      "sl_slots=1,3\nsl_version=1.7\nsl3_version=2.0\nsl_modules=0, 7,13\nsl1_mode=analog\n"
      "sl1_level=100\nsl_voice=1,2\nsl3_voice=\nsl2_serial=4660\nsl_poe=load\n"
      "sl3_poe=blocked\nsl_contacts=output\nsl_faults=data_rx,service_tx\n"
      "sl3_line_rate=6553500,100\nsl_service_rate=800\nsl_tm_rate=0\nsl_codec=6400\n"
      "sl_error_rate=60\nsl_config=erased\nsl1_config=set\nsl3_restart_s=0\n"
      "ap_slots=8,6\nap_version=6\nap6_version=9\nap6_alarms=A4,A1\n"
      "ap8_level=40\nap_temperature=45\n" +
      kDevice + "modem_off=\nmodem_log_clock=error\nmodem_log=0\nmodem_fw_break=5\n"
                "modem_fw_stop=8191\nmodem_fw_last=end\nmodem_restart_s=0\nmodem_fw_save=/tmp/x\n");
  ASSERT_TRUE(read.scenario) << read.error;
  EXPECT_EQ(read.scenario->roots[0].boards.modem,
            (ModemSettings{8, 2, {ChannelMode::Transit, ChannelMode::Master, ChannelMode::Analog},
                           {false, true, false}, 60, {4095, 4000, 600, LogClock::Unset}}));
  ModemSettings device;
  device.log.entries = 0;
  device.log.clock = LogClock::Error;
  device.firmware = {5, 8191, true, 0, "/tmp/x"};
  EXPECT_EQ(read.scenario->devices[0].boards.modem, device);
  const TerminationSettings common{
      .version_major = 1, .version_minor = 7, .modules = {0, 7, 13}, .voice_modules = {1, 2},
      .codec_8000 = false, .service_rate = 800, .tm_rate = 0, .poe = PoeState::Load,
      .contact_output = true, .faults = {false, true, true}, .errors_per_minute = 60,
      .config_erased = true};
  TerminationBoards expected{common, common, common};
  expected[0].analog = true;
  expected[0].level = 100;
  expected[0].config_erased = false;
  expected[1].fitted = false;
  expected[1].serial = 4660;
  expected[2].version_major = 2;
  expected[2].version_minor = 0;
  expected[2].voice_modules = {0, 0};
  expected[2].poe = PoeState::Blocked;
  expected[2].line_tx = 6553500;
  expected[2].line_rx = 100;
  expected[2].restart_seconds = 0;
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
  const std::pair<const char*, const char*> cases[] = {
      {"modem_mcu=256", "modem_mcu=256: the modem MCU version"},
      {"modem_modes=master,slave", "modem_modes=master,slave: give three modes"},
      {"modem_modes=master,slave,digital", "modem_modes=master,slave,digital: give three"},
      {"modem_off=1;2", "modem_off=1;2: a list of channel numbers 1..3"},
      {"modem_error_rate=6001", "modem_error_rate=6001: errors per minute"},
      {"modem_log=4096", "modem_log=4096: entries in the event log must be a number 0..4095"},
      {"modem_log_first=4096", "modem_log_first=4096: the ring index of the first log entry"},
      {"modem_log_rate=601", "modem_log_rate=601: new log entries per minute"},
      {"modem_log_clock=on", "modem_log_clock=on: set, unset or error"},
      {"modem_fw_break=8192", "modem_fw_break=8192: the program block answered 0x7FFE"},
      {"modem_fw_last=maybe", "modem_fw_last=maybe: number or end"},
      {"modem_restart_s=601", "modem_restart_s=601: seconds the modem board stays silent"},
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
      {"sl2_config=blank", "sl2_config=blank: set or erased"},
      {"sl_restart_s=601", "sl_restart_s=601: seconds 0..600"},
      {"ap_slots=7", "ap_slots=7: a list of slots out of 6, 8"},
      {"ap_alarms=A5", "ap_alarms=A5: a list of A1, A2, A3, A4"},
  };
  for (const auto& [line, expected] : cases) {
    SCOPED_TRACE(line);
    const std::string root_error = NetworksFromIni(kRoot + line + "\n").error;
    EXPECT_NE(root_error.find(std::string("[root.r] ") + expected), std::string::npos)
        << root_error;
    const std::string device_error = NetworksFromIni(kRoot + kDevice + line + "\n").error;
    EXPECT_NE(device_error.find(std::string("[dev.a] ") + expected), std::string::npos)
        << device_error;
  }
}

TEST(SimBoardScenario, SmallBoardsAnswerBehindTheirSendRouteOnTheInjectedClock) {
  TestClock clock;
  NetworksBuilt built = NetworksFromFile(ScenarioFile("small.ini"), clock.Clock());
  ASSERT_EQ(built.error, "");
  const Emulator emulator(std::move(built.networks.at(0)));
  const struct {
    const char* what;
    Bytes request;
    std::vector<Bytes> answers;
  } exchanges[] = {
      // Nibbles 1 and the board address; the answer keeps them. kedr is ID 1, slot 1:
      // version 2.3, modules 7, 9, 13, serial 0x1011, 90000 s up, PoE supported.
      {"termination 1", {0x00, 0x51, 0x01, 0xAD},
       {{0x80, 0x51, 0x01, 0x02, 0x03, 0x07, 0x09, 0x0D, 0x10, 0x11, 0x00, 0x01, 0x5F, 0x90,
         0x00, 0x02, 0x00, 0x00, 0xF6}}},
      {"termination 3, not fitted", {0x00, 0x71, 0x01, 0x8D}, {}},
      // The first half of its configuration record: service 1000 bit/s, codec 8.0,
      // voice on modules 1 and 2 with their echo cancellers, PoE on (0x4E).
      {"termination 1 flash", {0x00, 0x51, 0x10, 0x0E, 0x00, 0x00, 0x03, 0x8D},
       {{0x80, 0x51, 0x10, 0x0E, 0x00, 0x00, 0x1F, 0x1F, 0x00, 0x00, 0x0A, 0x04, 0x4E, 0x00,
         0x02, 0x1F, 0xFF, 0x1F, 0x00, 0x1F, 0xFF, 0x1F, 0xF8, 0xFD}}},
      // Version 8, A1 and A4 with two amplifiers (0x52), level 43, 36 °C, nothing masked.
      {"amplifier 1", {0x00, 0xA1, 0x01, 0x5D},
       {{0x80, 0xA1, 0x01, 0x08, 0x52, 0x2B, 0x24, 0x1A, 0x19}}},
      {"amplifier 2, version 6", {0x00, 0xC1, 0x01, 0x3D},
       {{0x80, 0xC1, 0x01, 0x06, 0x40, 0x2B, 0x28, 0x23}}},
      {"power", {0x00, 0xE1, 0x01, 0x1D}, {{0x80, 0xE1, 0x01, 0x03, 0x01, 0xE0, 0xB7}}},
      // kedr's event log holds 100 entries from index 4080 on: LastN 84 (0x54).
      {"modem log", {0x00, 0x41, 0x09, 0xFF, 0x0F, 0xA6},
       {{0x80, 0x41, 0x09, 0xFF, 0x4F, 0x05, 0xE0}}},
      // Nibbles 1, 1, 4 reach the modem of sosna (ID 2, MCU 8): channel 1 slave,
      // TX 104, RX 114 kHz, seven bytes.
      {"sosna's modem", {0x00, 0x11, 0x04, 0x11, 0xD9},
       {{0x80, 0x11, 0x04, 0x11, 0x68, 0x80, 0x72, 0x00, 0xE5, 0x60, 0xB7}}},
  };
  for (const auto& x : exchanges) {
    EXPECT_EQ(Frames(emulator.Handle(x.request)), x.answers) << x.what;
  }
  clock.At(256);
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x11, 0x04, 0x08, 0xE2})),
            (std::vector<Bytes>{{0x80, 0x11, 0x04, 0x08, 0x00, 0x00, 0x01, 0x00, 0x00, 0x61}}));
}

}  // namespace
}  // namespace varnel::sim
