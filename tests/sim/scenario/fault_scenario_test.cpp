// Fault keys in a scenario: which level wins (the command line over [sim]), what
// is refused, and the seed.

#include <gtest/gtest.h>

#include "sim/scenario/reader.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

using std::chrono::milliseconds;

// A root with a device behind channel 1 and one behind that device.
std::string Scenario(const std::string& sim, const std::string& root, const std::string& mid,
                     const std::string& leaf) {
  return "[sim]\n" + sim + "\n[root.r]\naddress=127.0.0.1\nid=1\nname=R\n" + root +
         "\n[dev.mid]\nmaster=r\nchannel=1\nup=1\nid=2\nname=M\n" + mid +
         "\n[dev.leaf]\nmaster=mid\nchannel=2\nup=1\nid=3\nname=L\n" + leaf + "\n";
}

// "drop/duplicate/reorder/corrupt/truncate/delay/jitter drop codes" of each device.
std::vector<std::string> FaultsOf(const NetworksBuilt& built) {
  std::vector<std::string> out;
  for (const Device& d : built.networks.at(0).Devices()) {
    const FaultSettings& f = d.faults;
    std::string codes;
    for (std::size_t c = 0; c < f.dropCodes.size(); ++c) {
      if (f.dropCodes.test(c)) codes += " " + std::to_string(c);
    }
    out.push_back(d.key + " " + std::to_string(f.drop) + "/" + std::to_string(f.duplicate) + "/" +
                  std::to_string(f.reorder) + "/" + std::to_string(f.corrupt) + "/" +
                  std::to_string(f.truncate) + "/" + std::to_string(f.delay.count()) + "/" +
                  std::to_string(f.jitter.count()) + codes);
  }
  return out;
}

// Drop codes are hex lists; an empty one clears those inherited.
TEST(SimFaultKeys, DevicesTakeTheirOwnKeysOverTheirMastersOverTheWholeScenario) {
  const ScenarioRead read = ReadScenario(
      Scenario("seed=12345\nfault_drop=20\nfault_jitter_ms=30\nfault_drop_codes=16, 0x12,a",
               "fault_duplicate=10", "fault_drop=0\nfault_corrupt=5\nfault_delay_ms=100\nfault_drop_codes=",
               "fault_truncate=100\nfault_reorder=50\nfault_drop_codes=FF"));
  ASSERT_TRUE(read.scenario) << read.error;
  const NetworksBuilt built = BuildNetworks(*read.scenario);
  ASSERT_EQ(built.error, "");
  EXPECT_EQ(built.seed, 12345u);
  EXPECT_EQ(FaultsOf(built), (std::vector<std::string>{"r 20/10/0/0/0/0/30 10 18 22", "mid 0/10/0/5/0/100/30",
                                                       "leaf 0/10/50/5/100/100/30 255"}));
  // The command line's keys replace [sim]'s, not those of a root or device.
  FaultKeys command_line;
  command_line.drop = 50;
  command_line.duplicate = 99;
  command_line.jitter = milliseconds(0);
  EXPECT_EQ(FaultsOf(BuildNetworks(*read.scenario, SystemLocalClock(), command_line)),
            (std::vector<std::string>{"r 50/10/0/0/0/0/0 10 18 22", "mid 0/10/0/5/0/100/0",
                                      "leaf 0/10/50/5/100/100/0 255"}));
}

TEST(SimFaultKeys, OutOfRangeOrMisplacedKeysAreRefused) {
  std::vector<std::pair<std::string, std::string>> bad = {
      {Scenario("fault_drop=101", "", "", ""), "[sim] fault_drop=101"},
      {Scenario("", "fault_delay_ms=60001", "", ""), "[root.r] fault_delay_ms=60001"},
      {Scenario("seed=4294967296", "", "", ""), "[sim] seed=4294967296"},
      {Scenario("", "seed=1", "", ""), "[root.r] unknown key \"seed\""},
  };
  for (const char* codes : {"fault_drop_codes=100", "fault_drop_codes=1g", "fault_drop_codes=0x",
                            "fault_drop_codes=-1"}) {
    bad.emplace_back(Scenario("", codes, "", ""), std::string("[root.r] ") + codes);
  }
  for (const auto& [ini, error] : bad) {
    const ScenarioRead read = ReadScenario(ini);
    EXPECT_FALSE(read.scenario);
    EXPECT_NE(read.error.find(error), std::string::npos) << read.error;
  }
}

}  // namespace
}  // namespace varnel::sim
