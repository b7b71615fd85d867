#include "sim/net/network.h"

#include "sim/boards/block_behaviour.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kEthernetSide = 0;
constexpr std::uint8_t kTerminator = 0;

}  // namespace

Network::Network(std::string root_key, std::string root_name, Block root, std::string address)
    : address_(std::move(address)) {
  Device device(std::move(root_key), std::move(root_name), std::move(root));
  device.id_route = {device.block.Id()};
  device.send_route = device.id_route;
  Add(std::move(device));
}

std::size_t Network::AddBehindChannel(std::size_t master, std::uint8_t channel,
                                      std::uint8_t up, std::string key, std::string name,
                                      Block block) {
  const Device& m = devices_.at(master);
  Device device(std::move(key), std::move(name), std::move(block));
  device.up_side = up;
  // The master forwards over its channel; the line answers "channel, 0, ID".
  device.id_route = Joined(m.send_route, {channel, kTerminator, device.block.Id()});
  device.send_route = Joined(m.send_route, {channel});
  device.master = master;
  device.master_side = channel;
  device.hf_hops = m.hf_hops + 1;
  return Add(std::move(device));
}

std::size_t Network::AddOnEthernet(std::size_t master, std::string key, std::string name,
                                   Block block) {
  const Device& m = devices_.at(master);
  Device device(std::move(key), std::move(name), std::move(block));
  device.up_side = kEthernetSide;
  // No channel hop here, so the ID itself must stay in every later address.
  device.id_route = Joined(m.send_route, {kEthernetSide, device.block.Id()});
  device.send_route = device.id_route;
  device.master = master;
  device.master_side = kEthernetSide;
  device.hf_hops = m.hf_hops;
  return Add(std::move(device));
}

void Network::SetBehaviour(std::size_t device, std::shared_ptr<DeviceBehaviour> behaviour) {
  devices_.at(device).behaviour = std::move(behaviour);
}

void Network::SetFaults(std::size_t device, const FaultSettings& faults) {
  devices_.at(device).faults = faults;
}

std::size_t Network::Add(Device device) {
  // Default boards on the system clock; a scenario sets its own.
  if (!device.behaviour) {
    device.behaviour = MakeBlockBehaviour({}, device.block.Id(), SystemLocalClock());
  }
  if (!device.settings) {
    device.settings = std::make_shared<BlockSettings>(device.block, DefaultEthernet(device.block.Id()));
  }
  devices_.push_back(std::move(device));
  return devices_.size() - 1;
}

}  // namespace varnel::sim
