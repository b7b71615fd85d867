#pragma once
// Turns a scenario into one network per root block, checking that the program can
// find every device where the scenario puts it.

#include <vector>

#include "sim/boards/local_clock.h"
#include "sim/net/network.h"
#include "sim/scenario/scenario.h"

namespace varnel::sim {

struct NetworksBuilt {
  std::vector<Network> networks;  // one per root, in scenario order
  std::string error;              // names the section at fault; empty when built
};

// Every device gets its emulated boards, going by `clock`.
NetworksBuilt BuildNetworks(const Scenario& scenario, LocalClock clock = SystemLocalClock());

// Reading and building in one step, for the command line and for tests.
NetworksBuilt NetworksFromIni(std::string_view ini_text, LocalClock clock = SystemLocalClock());
NetworksBuilt NetworksFromFile(const std::string& path, LocalClock clock = SystemLocalClock());

}  // namespace varnel::sim
