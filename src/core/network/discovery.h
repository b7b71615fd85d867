#pragma once
// Identity answers become registry entries. A device found behind a channel
// is placed below its master by the Route it answered with: the reply path
// is the ID Route without its last two nibbles (0 and the ID), the channel
// is the last nibble of that path and the master's send Route the rest.

#include <span>

#include "model/device_registry.h"
#include "model/request_state.h"
#include "wire/trace_log.h"

namespace varnel {

// What the views must do after an identity answer.
class DiscoveryEvents {
 public:
  virtual ~DiscoveryEvents() = default;
  virtual void DeviceAdded(int device) = 0;        // rebuild the tree with it
  virtual void DeviceNameKnown(int device) = 0;    // tree label, peer button caption
  virtual void BlockOpened(int device) = 0;        // the opened block answered
};

struct TopologyPlace {
  Route master;     // send Route of the master
  int channel = 0;  // master's channel leading to the device
  Route sendRoute;  // how the device's boards are addressed
};
// The placement rule on its own; channel 0 when the Route is too short.
TopologyPlace PlaceByIdRoute(const Route& idRoute, std::uint8_t upConnection);

class Discovery {
 public:
  Discovery(TraceLog& trace, DeviceRegistry& registry, RequestState& request, DiscoveryEvents& events);

  void IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, std::span<const std::uint8_t> body);

  // The diagnostic synthetic tree of 100 devices (no Routes: not addressable).
  void FillTestTopology();

 private:
  int AddMainRoot(std::uint8_t id, const Route& idRoute);
  int AddChannelDevice(std::uint8_t id, const Route& idRoute, std::uint8_t up);
  void Fail(int code);

  TraceLog& trace_;
  DeviceRegistry& registry_;
  RequestState& request_;
  DiscoveryEvents& events_;
};

}  // namespace varnel
