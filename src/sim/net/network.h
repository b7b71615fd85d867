#pragma once
// The devices reached through one Ethernet port: a root block and everything that
// hangs below it, with the Routes by which each identifies itself and is addressed.

#include <chrono>
#include <memory>
#include <optional>

#include "sim/block/block.h"
#include "sim/block/block_settings.h"
#include "sim/block/device_behaviour.h"
#include "sim/fault/fault_settings.h"
#include "sim/wire/nibbles.h"

namespace varnel::sim {

struct Device {
  Device(std::string key, std::string name, Block block)
      : key(std::move(key)), name(std::move(name)), block(std::move(block)) {}

  std::string key;   // the scenario's name for it, for the console
  std::string name;  // UTF-8, for the console; the block holds the wire form
  Block block;
  std::uint8_t up_side = kUpSideEthernet;  // first byte of its identity answer
  Nibbles id_route;    // what it answers with, ending in its ID
  Nibbles send_route;  // what requests to its boards and sides begin with
  std::optional<std::size_t> master;  // the device it hangs below; none for the root
  std::uint8_t master_side = 0;       // the master's side that leads here, 0 = Ethernet
  unsigned hf_hops = 0;               // HF links between the root and this device
  std::shared_ptr<DeviceBehaviour> behaviour;
  // The name and Ethernet settings as the program last wrote them.
  std::shared_ptr<BlockSettings> settings;
  FaultSettings faults;  // what the link does to its answers
};

class Network {
 public:
  // The root is device 0; its Routes are its ID alone.
  Network(std::string root_key, std::string root_name, Block root, std::string address = {});

  // A device whose side `up` (1..3) faces channel `channel` (1..3) of `master`.
  // Returns its index. The caller has checked the topology.
  std::size_t AddBehindChannel(std::size_t master, std::uint8_t channel, std::uint8_t up,
                               std::string key, std::string name, Block block);
  // A device whose Ethernet side shares the Ethernet segment of `master`, a device
  // that is itself reached over HF. Returns its index.
  std::size_t AddOnEthernet(std::size_t master, std::string key, std::string name,
                            Block block);

  const std::vector<Device>& Devices() const { return devices_; }
  const Device& Root() const { return devices_.front(); }
  // Where the root block is served; empty when the caller chooses.
  const std::string& Address() const { return address_; }

  // Added to an answer per HF link it crosses.
  std::chrono::milliseconds HopDelay() const { return hop_delay_; }
  void SetHopDelay(std::chrono::milliseconds delay) { hop_delay_ = delay; }
  // Devices start with default boards on the system clock.
  void SetBehaviour(std::size_t device, std::shared_ptr<DeviceBehaviour> behaviour);
  void SetFaults(std::size_t device, const FaultSettings& faults);

 private:
  std::size_t Add(Device device);

  std::string address_;
  std::chrono::milliseconds hop_delay_{0};
  std::vector<Device> devices_;
};

}  // namespace varnel::sim
