#include "cli/run/find_device.h"

#include "cli/run/explore.h"
#include "network/device_lookup.h"

namespace varnel::cli {

FoundDevice FindNamedDevice(Session& session, Progress& progress) {
  DeviceRegistry& registry = session.link().registry;
  const std::string& name = session.options().device;
  DeviceLookup lookup;
  const auto resolved = [&] {
    lookup = FindDevice(registry, BuildDeviceTree(registry), name);
    return lookup.device != 0 || lookup.ambiguous;
  };
  const ExploreEnd end = Explore(session, progress, resolved);
  if (end == ExploreEnd::NoAnswer) {
    return {0, {}, Failed(kExitNoAnswer, "no answer from " + session.options().peer)};
  }
  if (lookup.ambiguous) {
    return {0, {}, Failed(kExitBadInput, "device path names more than one device: " + name + " (use its ID Route)")};
  }
  if (lookup.device == 0) {
    return {0, {}, Failed(kExitBadInput, "unknown device: " + name + " (not found after " +
                                         std::to_string(session.program().exploration.autoState()) + " probes)")};
  }
  return {lookup.device, DeviceNamePath(BuildDeviceTree(registry), lookup.device), {}};
}

}  // namespace varnel::cli
