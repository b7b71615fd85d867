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
  std::optional<std::uint32_t> seed;  // the scenario's fault seed
};

// Every device gets its emulated boards, going by `clock`, and its faults:
// its own keys over its master's, a root's over those of `over_sim` (the
// command line's) over the [sim] section's.
NetworksBuilt BuildNetworks(const Scenario& scenario, LocalClock clock = SystemLocalClock(),
                            const FaultKeys& over_sim = {});

// Reading and building in one step, for the command line and for tests.
NetworksBuilt NetworksFromIni(std::string_view ini_text, LocalClock clock = SystemLocalClock());
NetworksBuilt NetworksFromFile(const std::string& path, LocalClock clock = SystemLocalClock(),
                               const FaultKeys& over_sim = {});

}  // namespace varnel::sim
