#pragma once
// A scenario as written: root blocks on Ethernet addresses and devices hanging below
// them. Field ranges are checked when it is read; the topology when it is built.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "sim/block/block.h"
#include "sim/boards/settings.h"
#include "sim/fault/fault_settings.h"

namespace varnel::sim {

struct RootEntry {
  std::string key;  // from the section name [root.KEY]
  std::string address;
  BlockConfig block;
  BoardSettings boards;
  FaultKeys faults;  // for the root and, unless they say otherwise, all below it
};

struct DeviceEntry {
  std::string key;     // from the section name [dev.KEY]
  std::string master;  // key of a root or device
  std::uint8_t channel = 0;  // the master's side leading here: 1..3, or 0 for Ethernet
  std::uint8_t up = 0;       // own side facing the master: 1..3, or 0 for Ethernet
  BlockConfig block;
  BoardSettings boards;
  FaultKeys faults;  // for the device and, unless they say otherwise, those below it
};

struct Scenario {
  std::chrono::milliseconds hop_delay{0};
  FaultKeys faults;                   // [sim]: for every device
  std::optional<std::uint32_t> seed;  // of the fault decisions; none: a new one each run
  std::vector<RootEntry> roots;      // in file order
  std::vector<DeviceEntry> devices;  // in file order
};

}  // namespace varnel::sim
