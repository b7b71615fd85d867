#pragma once
// Turns a scenario into one network per root block, checking that the program can
// find every device where the scenario puts it.

#include <vector>

#include "sim_network.h"
#include "sim_scenario.h"

namespace varnel::sim {

struct NetworksBuilt {
  std::vector<Network> networks;  // one per root, in scenario order
  std::string error;              // names the section at fault; empty when built
};

NetworksBuilt BuildNetworks(const Scenario& scenario);

// Reading and building in one step, for the command line and for tests.
NetworksBuilt NetworksFromIni(std::string_view ini_text);
NetworksBuilt NetworksFromFile(const std::string& path);

}  // namespace varnel::sim
