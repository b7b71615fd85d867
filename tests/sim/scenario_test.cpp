// Reading scenarios, the errors a person gets for a wrong one, and the shipped files.

#include <gtest/gtest.h>

#include <set>

#include "sim_scenario_reader.h"
#include "sim_test_support.h"

namespace varnel::sim {
namespace {

const std::string kRoot = "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n";

std::string Dev(const std::string& key, const std::string& keys) {
  return "[dev." + key + "]\n" + keys + "\n";
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
  EXPECT_EQ(s.roots[0].key, "n");
  EXPECT_EQ(s.roots[0].address, "127.0.0.9");
  EXPECT_EQ(s.roots[0].block.id, 4);
  EXPECT_EQ(s.roots[0].block.name, "ПС Северная");
  EXPECT_EQ(s.roots[0].block.type, 0);
  ASSERT_EQ(s.devices.size(), 2u);
  EXPECT_EQ(s.devices[0].key, "b");
  EXPECT_EQ(s.devices[0].master, "a");
  EXPECT_EQ(s.devices[0].channel, 3);
  EXPECT_EQ(s.devices[0].up, 2);
  EXPECT_EQ(s.devices[0].block.id, 15);
  EXPECT_EQ(s.devices[0].block.name, "Опора 7");
  EXPECT_EQ(s.devices[0].block.type, 1) << "type defaults to 1";
  EXPECT_EQ(s.devices[1].key, "a");
  EXPECT_EQ(s.devices[1].channel, 0);
  EXPECT_EQ(s.devices[1].up, 0);
  EXPECT_EQ(s.devices[1].block.name, "");
  EXPECT_EQ(s.devices[1].block.type, 255);
}

struct BadScenario {
  std::string text;
  std::vector<std::string> expected;  // parts of the error message
};

TEST(SimScenario, EveryMistakeGetsAnErrorNamingItsSection) {
  const std::string ok = "master=r\nchannel=2\nup=1\nid=7\nname=A\n";
  const std::string a = Dev("a", ok);
  const std::vector<BadScenario> cases = {
      // Field values.
      {"[root.r]\naddress=127.0.0.1\nid=0\nname=R\n", {"[root.r]", "id=0", "1..15"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nid=16\nname=A"), {"[dev.a]", "id=16"}},
      {kRoot + Dev("a", "master=r\nchannel=4\nup=1\nid=7\nname=A"), {"[dev.a]", "channel=4"}},
      {kRoot + Dev("a", "master=r\nchannel=0\nup=1\nid=7\nname=A"), {"[dev.a]", "channel=0"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=4\nid=7\nname=A"), {"[dev.a]", "up=4"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nid=7\nname=A\ntype=256"),
       {"[dev.a]", "type=256"}},
      {kRoot + Dev("a", "master=r\nchannel= 2x\nup=1\nid=7\nname=A"), {"[dev.a]", "channel=2x"}},
      {kRoot + Dev("a", "master=r\nup=1\nid=7\nname=A"), {"[dev.a]", "channel= is missing"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nname=A"), {"[dev.a]", "id= is missing"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nid=7\nname=Блок 中"),
       {"[dev.a]", "Windows-1251"}},
      {kRoot + Dev("a", "master=r\nchannel=2\nup=1\nid=7\nname=" + std::string(65, 'x')),
       {"[dev.a]", "longer than 64"}},
      {kRoot + Dev("a", ok + "chanel=3"), {"[dev.a]", "unknown key \"chanel\""}},
      {"[root.r]\naddress=127.0.0.300\nid=1\nname=R\n", {"[root.r]", "not an IPv4 address"}},
      {"[sim]\nhop_delay_ms=fast\n" + kRoot, {"[sim]", "hop_delay_ms=fast"}},
      // Sections and keys.
      {"", {"no root block"}},
      {"id=1\n" + kRoot, {"keys before the first section"}},
      {kRoot + Dev("", ok), {"[dev.]", "unknown section"}},
      {kRoot + std::string("[device.a]\nid=1\n"), {"[device.a]", "unknown section"}},
      {kRoot + a + a, {"[dev.a]", "more than once"}},
      {kRoot + Dev("r", ok), {"[dev.r]", "already used by [root.r]"}},
      {kRoot + "[root.s]\naddress=127.0.0.1\nid=2\nname=S\n",
       {"[root.s]", "127.0.0.1", "already served by root r"}},
      // Topology.
      {kRoot + Dev("a", "master=x\nchannel=2\nup=1\nid=7\nname=A"), {"[dev.a]", "master=x"}},
      {kRoot + Dev("a", "master=b\nchannel=2\nup=1\nid=7\nname=A") +
           Dev("b", "master=a\nchannel=1\nup=2\nid=8\nname=B"),
       {"[dev.a]", "circle", "a -> b -> a"}},
      {kRoot + Dev("a", "master=a\nchannel=2\nup=1\nid=7\nname=A"), {"[dev.a]", "a -> a"}},
      {kRoot + Dev("e", "master=r\nup=0\nid=5\nname=E"), {"[dev.e]", "root block r"}},
      {kRoot + Dev("e", "master=r\nchannel=2\nup=0\nid=5\nname=E"),
       {"[dev.e]", "leave channel out"}},
      {kRoot + a + Dev("e", "master=a\nup=0\nid=5\nname=E") +
           Dev("f", "master=e\nup=0\nid=6\nname=F"),
       {"[dev.f]", "Ethernet side of a", "names a as its master"}},
      {kRoot + a + Dev("b", "master=a\nchannel=1\nup=2\nid=8\nname=B"),
       {"[dev.b]", "channel=1", "a's own up side"}},
      {kRoot + a + Dev("b", "master=r\nchannel=2\nup=3\nid=7\nname=B"),
       {"[dev.b]", "ID Route .1.2.0.7", "also that of a"}},
      // An Ethernet device on a is addressed like a device on r's channel 2.
      {kRoot + a + Dev("b", "master=r\nchannel=2\nup=3\nid=5\nname=B") +
           Dev("e", "master=a\nup=0\nid=5\nname=E"),
       {"[dev.e]", "ID Route .1.2.0.5", "also that of b"}},
      {kRoot + a + Dev("b", "master=r\nchannel=2\nup=3\nid=8\nname=B") +
           Dev("c", "master=b\nchannel=1\nup=1\nid=9\nname=C"),
       {"[dev.c]", "below b", "send Route .1.2", "also a's"}},
  };
  for (const BadScenario& bad : cases) {
    const NetworksBuilt built = NetworksFromIni(bad.text);
    EXPECT_TRUE(built.networks.empty()) << bad.text;
    for (const std::string& part : bad.expected) {
      EXPECT_NE(built.error.find(part), std::string::npos)
          << "error \"" << built.error << "\" lacks \"" << part << "\" for:\n"
          << bad.text;
    }
  }
}

TEST(SimScenario, FileErrorsNameTheFile) {
  const NetworksBuilt missing = NetworksFromFile("/nonexistent/x.ini");
  EXPECT_NE(missing.error.find("/nonexistent/x.ini"), std::string::npos) << missing.error;
}

// The most masters any device has above it.
std::size_t Depth(const Network& network) {
  std::size_t deepest = 0;
  for (const Device& device : network.Devices()) {
    std::size_t depth = 0;
    for (auto m = device.master; m; m = network.Devices()[*m].master) ++depth;
    deepest = std::max(deepest, depth);
  }
  return deepest;
}

TEST(SimScenario, DemoIsLargeDeepAndVaried) {
  const NetworksBuilt built = NetworksFromFile(ScenarioFile("demo.ini"));
  ASSERT_EQ(built.error, "");
  ASSERT_EQ(built.networks.size(), 1u);
  const Network& network = built.networks[0];
  EXPECT_EQ(network.Address(), "127.0.0.1");
  EXPECT_EQ(network.Root().block.Id(), 1);
  const std::vector<Device>& devices = network.Devices();
  EXPECT_GE(devices.size() - 1, 20u);
  std::set<int> ups, types;
  bool ethernet_master = false;
  for (std::size_t d = 1; d < devices.size(); ++d) {
    ups.insert(devices[d].up_side);
    types.insert(devices[d].block.Type());
    const std::size_t master = *devices[d].master;
    ethernet_master |= master != 0 && devices[master].up_side == kUpSideEthernet;
    // Cyrillic names: Windows-1251 letters lie at 0xC0 and above.
    EXPECT_GE(static_cast<unsigned char>(devices[d].block.WireName()[0]), 0xC0) << devices[d].key;
  }
  EXPECT_GE(Depth(network), 3u);
  EXPECT_EQ(ups, (std::set<int>{0, 1, 2, 3}));
  EXPECT_GE(types.size(), 3u);
  EXPECT_TRUE(ethernet_master) << "a device behind a channel of an up=0 device";
}

TEST(SimScenario, SmallHasTwoLevels) {
  const NetworksBuilt built = NetworksFromFile(ScenarioFile("small.ini"));
  ASSERT_EQ(built.error, "");
  ASSERT_EQ(built.networks.size(), 1u);
  EXPECT_EQ(built.networks[0].Devices().size(), 5u);
  EXPECT_EQ(Depth(built.networks[0]), 2u);
}

}  // namespace
}  // namespace varnel::sim
