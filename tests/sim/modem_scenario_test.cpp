// Modem keys of a scenario, and modem answers framed behind a device's send Route.

#include <gtest/gtest.h>

#include <set>

#include "modem_test_support.h"
#include "sim_scenario_reader.h"
#include "sim_test_support.h"

namespace varnel::sim {
namespace {

const std::string kRoot = "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n";

TEST(SimModemScenario, ReadsTheModemKeysOfRootsAndDevices) {
  const ScenarioRead read = ReadScenario(
      kRoot + "modem_mcu=8\nmodem_fpga=2\nmodem_modes= transit, master ,analog\n"
              "modem_off=1, 3\nmodem_error_rate=60\n"
              "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\nmodem_off=\n");
  ASSERT_TRUE(read.scenario) << read.error;
  ModemSettings expected;
  expected.mcu = 8;
  expected.fpga = 2;
  expected.modes = {ChannelMode::Transit, ChannelMode::Master, ChannelMode::Analog};
  expected.enabled = {false, true, false};
  expected.errors_per_minute = 60;
  EXPECT_EQ(read.scenario->roots[0].boards.modem, expected);
  // Left out: MCU 12, FPGA 3, master, slave, analog, all enabled, 6 errors a minute.
  expected = {12, 3, {ChannelMode::Master, ChannelMode::Slave, ChannelMode::Analog},
              {true, true, true}, 6};
  EXPECT_EQ(read.scenario->devices[0].boards.modem, expected);
}

TEST(SimModemScenario, WrongModemKeysNameTheirSection) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"modem_mcu=256", "modem_mcu=256"},
      {"modem_fpga=x", "modem_fpga=x"},
      {"modem_modes=master,slave", "three modes"},
      {"modem_modes=master,slave,digital", "modem_modes=master,slave,digital"},
      {"modem_modes=master,slave,analog,analog", "three modes"},
      {"modem_off=4", "modem_off=4"},
      {"modem_off=1;2", "channel numbers 1..3"},
      {"modem_error_rate=6001", "0..6000"},
      {"modem_version=3", "unknown key \"modem_version\""},
  };
  for (const auto& [line, expected] : cases) {
    const NetworksBuilt root = NetworksFromIni(kRoot + line + "\n");
    EXPECT_NE(root.error.find("[root.r] "), std::string::npos) << line << ": " << root.error;
    EXPECT_NE(root.error.find(expected), std::string::npos) << line << ": " << root.error;
    const NetworksBuilt device =
        NetworksFromIni(kRoot + "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\n" + line);
    EXPECT_NE(device.error.find("[dev.a] "), std::string::npos) << line << ": " << device.error;
  }
}

TEST(SimModemScenario, DeviceModemAnswersBehindItsSendRoute) {
  std::int64_t now = kNewYear2026;
  NetworksBuilt built = NetworksFromIni(
      kRoot + "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\nmodem_mcu=8\n",
      [&now] { return now; });
  ASSERT_EQ(built.error, "");
  const Emulator emulator(std::move(built.networks.at(0)));
  // Nibbles 1, 2, 4, then 11: channel 1 of device 7 (TX 124, RX 134 kHz), seven bytes.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x21, 0x04, 0x11, 0xC9})),
            (std::vector<Bytes>{{0x80, 0x21, 0x04, 0x11, 0x7C, 0x80, 0x86, 0x00, 0xA5, 0x60,
                                 0xBF}}));
  // The root's own modem keeps the defaults: versions 12 and 3.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x41, 0x01, 0xBD})),
            (std::vector<Bytes>{{0x80, 0x41, 0x01, 0x0C, 0x03, 0x2E}}));
  // The injected clock reaches the board: 256 s after the cycle start.
  now += 256;
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x21, 0x04, 0x08, 0xD2})),
            (std::vector<Bytes>{{0x80, 0x21, 0x04, 0x08, 0x00, 0x00, 0x01, 0x00, 0x00, 0x51}}));
}

TEST(SimModemScenario, DemoCoversEveryVersionRangeAndMode) {
  const ScenarioRead read = ReadScenarioFile(ScenarioFile("demo.ini"));
  ASSERT_TRUE(read.scenario) << read.error;
  std::vector<ModemSettings> modems;
  for (const RootEntry& root : read.scenario->roots) modems.push_back(root.boards.modem);
  for (const DeviceEntry& device : read.scenario->devices) modems.push_back(device.boards.modem);
  std::set<std::string> ranges;
  std::set<ChannelMode> modes;
  bool some_off = false;
  for (const ModemSettings& m : modems) {
    ranges.insert(m.mcu < 8 ? "below 8" : m.mcu == 8 ? "8" : m.mcu < 11 ? "9..10" : "11 up");
    modes.insert(m.modes.begin(), m.modes.end());
    some_off |= !m.enabled[0] || !m.enabled[1] || !m.enabled[2];
  }
  EXPECT_EQ(ranges, (std::set<std::string>{"below 8", "8", "9..10", "11 up"}));
  EXPECT_EQ(modes.size(), 4u);
  EXPECT_TRUE(some_off);
}

}  // namespace
}  // namespace varnel::sim
