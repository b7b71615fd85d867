// Reading scenarios, the errors a person gets for a wrong one, and the shipped demo.

#include <gtest/gtest.h>

#include <set>

#include "sim/scenario/reader.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

const std::string kRoot = "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n";

std::string Dev(const std::string& key, const std::string& keys) {
  return "[dev." + key + "]\n" + keys + "\n";
}

std::string Text(const BlockConfig& b) {
  return std::to_string(b.id) + " '" + b.name + "' type " + std::to_string(b.type);
}

TEST(SimScenario, ReadsEveryFieldInFileOrder) {
  const ScenarioRead read = ReadScenario(
      "\xEF\xBB\xBF; a comment\n"
      "[sim]\nhop_delay_ms=25\n"
      "[dev.b]\nmaster=a\nchannel=3\nup=2\nid=15\nname=  Опора 7  \n"
      "[root.n]\naddress=127.0.0.9\nid=4\nname=ПС Северная\ntype=0\n"
      "[dev.a]\nmaster=n\nup=0\nid=2\nname=\ntype=255\n");
  ASSERT_TRUE(read.scenario) << read.error;
  const Scenario& s = *read.scenario;
  EXPECT_EQ(s.hop_delay, std::chrono::milliseconds(25));
  ASSERT_EQ(s.roots.size(), 1u);
  EXPECT_EQ(s.roots[0].key + " " + s.roots[0].address + " " + Text(s.roots[0].block),
            "n 127.0.0.9 4 'ПС Северная' type 0");
  std::vector<std::string> devices;
  for (const DeviceEntry& d : s.devices) {
    devices.push_back(d.key + " below " + d.master + " ch " + std::to_string(d.channel) + " up " +
                      std::to_string(d.up) + ": " + Text(d.block));
  }
  // Names are trimmed; type defaults to 1.
  EXPECT_EQ(devices, (std::vector<std::string>{"b below a ch 3 up 2: 15 'Опора 7' type 1",
                                               "a below n ch 0 up 0: 2 '' type 255"}));
}

TEST(SimScenario, EveryMistakeGetsAnErrorNamingItsSection) {
  const std::string ok = "master=r\nchannel=2\nup=1\nid=7\nname=A\n";
  const std::string a = Dev("a", ok);
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      // Field values.
      {"[root.r]\naddress=127.0.0.1\nid=0\nname=R\n", {"[root.r]", "id=0", "1..15"}},
      {kRoot + Dev("a", "master=r\nchannel=4\nup=1\nid=7\nname=A"), {"[dev.a]", "channel=4"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=4\nid=7\nname=A"), {"[dev.a]", "up=4"}},
      {kRoot + Dev("a", ok + "type=256"), {"[dev.a]", "type=256"}},
      {kRoot + Dev("a", "master=r\nup=1\nid=7\nname=A"), {"[dev.a]", "channel= is missing"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nid=7\nname=Блок 中"),
       {"[dev.a]", "Windows-1251"}},
      {kRoot + Dev("a", ok + "chanel=3"), {"[dev.a]", "unknown key \"chanel\""}},
      {"[root.r]\naddress=127.0.0.300\nid=1\nname=R\n", {"[root.r]", "not an IPv4 address"}},
      {"[sim]\nhop_delay_ms=fast\n" + kRoot, {"[sim]", "hop_delay_ms=fast"}},
      // Sections and keys.
      {"", {"no root block"}},
      {"id=1\n" + kRoot, {"keys before the first section"}},
      {kRoot + Dev("", ok), {"[dev.]", "unknown section"}},
      {kRoot + "[device.a]\nid=1\n", {"[device.a]", "unknown section"}},
      {kRoot + a + a, {"[dev.a]", "more than once"}},
      {kRoot + Dev("r", ok), {"[dev.r]", "already used by [root.r]"}},
      {kRoot + "[root.s]\naddress=127.0.0.1\nid=2\nname=S\n",
       {"[root.s]", "127.0.0.1", "already served by root r"}},
      // Topology.
      {kRoot + Dev("a", "master=x\nchannel=2\nup=1\nid=7\nname=A"), {"[dev.a]", "master=x"}},
      {kRoot + Dev("a", "master=b\nchannel=2\nup=1\nid=7\nname=A") +
           Dev("b", "master=a\nchannel=1\nup=2\nid=8\nname=B"),
       {"[dev.a]", "circle", "a -> b -> a"}},
      {kRoot + Dev("e", "master=r\nup=0\nid=5\nname=E"), {"[dev.e]", "root block r"}},
      {kRoot + Dev("e", "master=r\nchannel=2\nup=0\nid=5\nname=E"),
       {"[dev.e]", "leave channel out"}},
      {kRoot + a + Dev("e", "master=a\nup=0\nid=5\nname=E") +
           Dev("f", "master=e\nup=0\nid=6\nname=F"),
       {"[dev.f]", "Ethernet side of a", "names a as its master"}},
      {kRoot + a + Dev("b", "master=a\nchannel=1\nup=2\nid=8\nname=B"),
       {"[dev.b]", "channel=1", "a's own up side"}},
      // An Ethernet device on a is addressed like a device on r's channel 2.
      {kRoot + a + Dev("b", "master=r\nchannel=2\nup=3\nid=5\nname=B") +
           Dev("e", "master=a\nup=0\nid=5\nname=E"),
       {"[dev.e]", "ID Route .1.2.0.5", "also that of b"}},
      {kRoot + a + Dev("b", "master=r\nchannel=2\nup=3\nid=8\nname=B") +
           Dev("c", "master=b\nchannel=1\nup=1\nid=9\nname=C"),
       {"[dev.c]", "below b", "send Route .1.2", "also a's"}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    const NetworksBuilt built = NetworksFromIni(text);
    EXPECT_TRUE(built.networks.empty());
    for (const std::string& part : expected) {
      EXPECT_NE(built.error.find(part), std::string::npos) << built.error << " lacks " << part;
    }
  }
  const NetworksBuilt missing = NetworksFromFile("/nonexistent/x.ini");
  EXPECT_NE(missing.error.find("/nonexistent/x.ini"), std::string::npos) << missing.error;
}

// The demo must keep showing every kind of device, modem and board the program draws.
TEST(SimScenario, DemoIsLargeDeepAndVaried) {
  const NetworksBuilt built = NetworksFromFile(ScenarioFile("demo.ini"));
  ASSERT_EQ(built.error, "");
  ASSERT_EQ(built.networks.size(), 1u);
  const std::vector<Device>& devices = built.networks[0].Devices();
  std::set<int> ups;
  std::size_t deepest = 0;
  bool ethernet_master = false;
  for (std::size_t d = 1; d < devices.size(); ++d) {
    ups.insert(devices[d].up_side);
    const std::size_t master = *devices[d].master;
    ethernet_master |= master != 0 && devices[master].up_side == kUpSideEthernet;
    std::size_t depth = 0;
    for (auto m = devices[d].master; m; m = devices[*m].master) ++depth;
    deepest = std::max(deepest, depth);
  }
  EXPECT_GE(deepest, 3u);
  EXPECT_EQ(ups, (std::set<int>{0, 1, 2, 3}));
  EXPECT_TRUE(ethernet_master) << "a device behind a channel of an up=0 device";

  const ScenarioRead read = ReadScenarioFile(ScenarioFile("demo.ini"));
  ASSERT_TRUE(read.scenario) << read.error;
  std::vector<BoardSettings> boards{read.scenario->roots.at(0).boards};
  for (const DeviceEntry& device : read.scenario->devices) boards.push_back(device.boards);
  std::set<std::string> ranges;
  std::set<ChannelMode> modes;
  bool modem_off = false;
  for (const BoardSettings& b : boards) {
    const ModemSettings& m = b.modem;
    ranges.insert(m.mcu < 8 ? "below 8" : m.mcu == 8 ? "8" : m.mcu < 11 ? "9..10" : "11 up");
    modes.insert(m.modes.begin(), m.modes.end());
    modem_off |= !m.enabled[0] || !m.enabled[1] || !m.enabled[2];
  }
  EXPECT_EQ(ranges, (std::set<std::string>{"below 8", "8", "9..10", "11 up"}));
  EXPECT_EQ(modes.size(), 4u);
  EXPECT_TRUE(modem_off);
  const BoardSettings& root = boards[0];
  EXPECT_TRUE(root.termination[1].analog);
  EXPECT_EQ(root.amplifiers[1].version, 6);  // no mask byte
}

}  // namespace
}  // namespace varnel::sim
