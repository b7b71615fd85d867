#pragma once
// The device tree as the PC sees the network: each shown device with its
// shown channels, and under each channel node the devices reached through
// it. Built from the registry only; the view draws whatever this returns.

#include <string>
#include <vector>

#include "model/device_registry.h"

namespace varnel {

struct DeviceTreeNode {
  int device = 0;   // owning device
  int channel = 0;  // 0 = the device node itself, 1..3 = its channel node
  std::string label;
  int icon = 0;     // 0..3 up side, 4 other, 5 channel
  std::vector<DeviceTreeNode> children;
};

constexpr int kChannelIcon = 5;

// Recomputes every device's shownInTree flag (hidden below a hidden channel)
// and returns the top-level nodes.
std::vector<DeviceTreeNode> BuildDeviceTree(DeviceRegistry& registry);

}  // namespace varnel
