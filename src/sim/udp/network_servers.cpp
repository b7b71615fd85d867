#include "sim/udp/network_servers.h"

#include "sim/fault/fault_injector.h"

namespace varnel::sim {

NetworkServers::NetworkServers(std::vector<Network> networks, SinkFor sink_for, std::uint32_t seed) {
  for (Network& network : networks) {
    auto emulator = std::make_shared<const Emulator>(std::move(network));
    UdpServer::LogSink sink = sink_for ? sink_for(emulator->GetNetwork()) : nullptr;
    // Only the server's own thread calls the handler, so the injector needs no lock.
    auto faults = std::make_shared<FaultInjector>(
        seed + servers_.size(),
        [emulator](std::size_t device) -> const FaultSettings& {
          return emulator->GetNetwork().Devices().at(device).faults;
        });
    servers_.push_back(std::make_unique<UdpServer>(
        [emulator, faults](ByteView request) {
          Outcome outcome = emulator->Handle(request);
          faults->Apply(outcome);
          return outcome;
        },
        std::move(sink)));
    emulators_.push_back(std::move(emulator));
  }
}

std::string NetworkServers::Start(std::uint16_t port) {
  for (std::size_t i = 0; i < servers_.size(); ++i) {
    const Network& network = NetworkAt(i);
    if (std::string error = servers_[i]->Start(network.Address(), port); !error.empty()) {
      Stop();
      return "root " + network.Root().key + ": " + error;
    }
  }
  return {};
}

void NetworkServers::SetTap(const UdpServer::Tap& tap) {
  for (auto& server : servers_) server->SetTap(tap);
}

void NetworkServers::Stop() {
  for (auto& server : servers_) server->Stop();
}

}  // namespace varnel::sim
