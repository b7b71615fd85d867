#pragma once
// One UDP server per root block: each serves its network on the root's address.

#include <memory>

#include "sim/net/emulator.h"
#include "sim/udp/server.h"

namespace varnel::sim {

class NetworkServers {
 public:
  // Gives the console sink of one network's server; may be empty.
  using SinkFor = std::function<UdpServer::LogSink(const Network& network)>;

  // Network i meets its devices' faults decided from seed + i.
  explicit NetworkServers(std::vector<Network> networks, SinkFor sink_for = {},
                          std::uint32_t seed = 0);
  NetworkServers(const NetworkServers&) = delete;
  NetworkServers& operator=(const NetworkServers&) = delete;

  // Serves every network on its root's address and the given port; on a failure
  // stops those already started and returns the reason, naming the root.
  std::string Start(std::uint16_t port = kDevicePort);
  // Before Start: every server hands its traffic to tap as well.
  void SetTap(const UdpServer::Tap& tap);
  void Stop();

  std::size_t Size() const { return emulators_.size(); }
  const Network& NetworkAt(std::size_t i) const { return emulators_.at(i)->GetNetwork(); }
  const UdpServer& ServerAt(std::size_t i) const { return *servers_.at(i); }

 private:
  std::vector<std::shared_ptr<const Emulator>> emulators_;
  std::vector<std::unique_ptr<UdpServer>> servers_;
};

}  // namespace varnel::sim
