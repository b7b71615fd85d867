#include "sim/net/builder.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "sim/boards/block_behaviour.h"
#include "sim/scenario/reader.h"

namespace varnel::sim {

namespace {

// The program's registry holds 128 devices, the root among them.
constexpr std::size_t kMaxDevicesPerRoot = 128;

struct Place {
  std::size_t network = 0;
  std::size_t index = 0;
};

std::string Section(const DeviceEntry& device) { return "[dev." + device.key + "] "; }

class Builder {
 public:
  Builder(const Scenario& scenario, LocalClock clock, const FaultKeys& over_sim)
      : scenario_(scenario),
        clock_(std::move(clock)),
        all_faults_(over_sim.Over(scenario.faults).Over(FaultSettings{})) {}

  NetworksBuilt Build() {
    CheckKeysUnique();
    for (const RootEntry& root : scenario_.roots) AddRoot(root);
    std::vector<std::size_t> order = DeviceOrder();
    for (std::size_t i : order) {
      if (!error_.empty()) break;
      AddDevice(scenario_.devices[i]);
    }
    for (std::size_t n = 0; error_.empty() && n < built_.networks.size(); ++n) Check(n);
    if (!error_.empty()) return {{}, error_, {}};
    built_.seed = scenario_.seed;
    return std::move(built_);
  }

 private:
  // Root and device keys share one name space, since a master may be either.
  void CheckKeysUnique() {
    std::map<std::string, std::string> sections;
    auto claim = [&](const std::string& key, const std::string& section) {
      const auto [it, fresh] = sections.emplace(key, section);
      if (!fresh) Fail(section + " the key " + key + " is already used by " + it->second);
    };
    for (const RootEntry& root : scenario_.roots) claim(root.key, "[root." + root.key + "]");
    for (const DeviceEntry& device : scenario_.devices) claim(device.key, "[dev." + device.key + "]");
  }

  void AddRoot(const RootEntry& root) {
    if (!error_.empty()) return;
    const std::string section = "[root." + root.key + "] ";
    for (const Network& other : built_.networks) {
      if (other.Address() == root.address) {
        return Fail(section + "address " + root.address + " is already served by root " +
                    other.Root().key);
      }
    }
    std::string error;
    std::optional<Block> block = Block::Create(root.block, error);
    if (!block) return Fail(section + error);
    Network network(root.key, root.block.name, std::move(*block), root.address);
    network.SetHopDelay(scenario_.hop_delay);
    network.SetBehaviour(0, MakeBlockBehaviour(root.boards, root.block.id, clock_));
    network.SetFaults(0, root.faults.Over(all_faults_));
    places_[root.key] = {built_.networks.size(), 0};
    built_.networks.push_back(std::move(network));
  }

  // Masters before the devices below them; devices at one depth keep scenario
  // order, so devices answering one probe answer in scenario order.
  std::vector<std::size_t> DeviceOrder() {
    const std::vector<DeviceEntry>& devices = scenario_.devices;
    std::map<std::string, std::size_t> by_key;
    for (std::size_t i = 0; i < devices.size(); ++i) by_key[devices[i].key] = i;
    std::vector<std::size_t> depth(devices.size(), 0);
    for (std::size_t i = 0; i < devices.size() && error_.empty(); ++i) {
      std::vector<std::size_t> chain{i};
      for (auto master = by_key.find(devices[i].master); master != by_key.end();
           master = by_key.find(devices[chain.back()].master)) {
        if (std::find(chain.begin(), chain.end(), master->second) != chain.end()) {
          FailCycle(chain, master->second);
          return {};
        }
        chain.push_back(master->second);
      }
      if (!places_.contains(devices[chain.back()].master)) {
        const DeviceEntry& orphan = devices[chain.back()];
        Fail(Section(orphan) + "master=" + orphan.master + ": no root or device has this key");
      }
      depth[i] = chain.size();
    }
    std::vector<std::size_t> order(devices.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return depth[a] < depth[b]; });
    return order;
  }

  void FailCycle(const std::vector<std::size_t>& chain, std::size_t repeated) {
    const std::vector<DeviceEntry>& devices = scenario_.devices;
    std::string circle;
    for (auto it = std::find(chain.begin(), chain.end(), repeated); it != chain.end(); ++it) {
      circle += devices[*it].key + " -> ";
    }
    Fail(Section(devices[repeated]) + "its masters run in a circle: " + circle +
         devices[repeated].key);
  }

  void AddDevice(const DeviceEntry& entry) {
    std::string error;
    std::optional<Block> block = Block::Create(entry.block, error);
    if (!block) return Fail(Section(entry) + error);
    const Place master = places_.at(entry.master);
    Network& network = built_.networks[master.network];
    const Device& m = network.Devices()[master.index];
    if (network.Devices().size() >= kMaxDevicesPerRoot) {
      return Fail(Section(entry) + "root " + network.Root().key + " already has " +
                  std::to_string(kMaxDevicesPerRoot) + " devices, all the program can hold");
    }
    std::size_t index = 0;
    if (entry.up == kUpSideEthernet) {
      if (!m.master) {
        return Fail(Section(entry) + "up=0 puts it on the Ethernet segment of root block " +
                    m.key + "; the program cannot place it there, give it an HF link instead");
      }
      if (m.up_side == kUpSideEthernet) {
        return Fail(Section(entry) + "master=" + m.key + " is itself on the Ethernet side of " +
                    network.Devices()[*m.master].key + "; a device on that segment names " +
                    network.Devices()[*m.master].key + " as its master");
      }
      index = network.AddOnEthernet(master.index, entry.key, entry.block.name, std::move(*block));
    } else {
      if (m.master && entry.channel == m.up_side) {
        return Fail(Section(entry) + "channel=" + std::to_string(entry.channel) + ": that is " +
                    m.key + "'s own up side, which leads towards the PC and is never probed");
      }
      index = network.AddBehindChannel(master.index, entry.channel, entry.up, entry.key,
                                       entry.block.name, std::move(*block));
    }
    network.SetBehaviour(index, MakeBlockBehaviour(entry.boards, entry.block.id, clock_));
    network.SetFaults(index, entry.faults.Over(network.Devices()[master.index].faults));
    places_[entry.key] = {master.network, index};
  }

  // What the program could not tell apart once the Routes are known.
  void Check(std::size_t n) {
    const std::vector<Device>& devices = built_.networks[n].Devices();
    for (std::size_t d = 1; d < devices.size(); ++d) {
      const Device& device = devices[d];
      for (std::size_t e = 0; e < d; ++e) {
        if (devices[e].id_route == device.id_route) {
          return Fail("[dev." + device.key + "] its ID Route " + NibblesText(device.id_route) +
                      " is also that of " + devices[e].key +
                      "; the program would take both for one device");
        }
      }
      const Device& master = devices[*device.master];
      for (const Device& other : devices) {
        if (&other != &master && other.send_route == master.send_route) {
          return Fail("[dev." + device.key + "] hangs below " + master.key +
                      ", whose send Route " + NibblesText(master.send_route) + " is also " +
                      other.key + "'s; requests through one would reach the other as well");
        }
      }
    }
  }

  void Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
  }

  const Scenario& scenario_;
  LocalClock clock_;
  FaultSettings all_faults_;
  NetworksBuilt built_;
  std::map<std::string, Place> places_;
  std::string error_;
};

}  // namespace

NetworksBuilt BuildNetworks(const Scenario& scenario, LocalClock clock, const FaultKeys& over_sim) {
  return Builder(scenario, std::move(clock), over_sim).Build();
}

NetworksBuilt NetworksFromIni(std::string_view ini_text, LocalClock clock) {
  ScenarioRead read = ReadScenario(ini_text);
  if (!read.scenario) return {{}, read.error, {}};
  return BuildNetworks(*read.scenario, std::move(clock));
}

NetworksBuilt NetworksFromFile(const std::string& path, LocalClock clock, const FaultKeys& over_sim) {
  ScenarioRead read = ReadScenarioFile(path);
  if (!read.scenario) return {{}, read.error, {}};
  NetworksBuilt built = BuildNetworks(*read.scenario, std::move(clock), over_sim);
  if (!built.error.empty()) built.error = path + ": " + built.error;
  return built;
}

}  // namespace varnel::sim
