#pragma once
// Naming a device from outside the program: either its ID Route as the
// trace prints it (".1.1.0.2") or its path of names from the top of the
// device tree down, separated by '/' ("Root/Child"); channel nodes are not
// part of a path.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/device_tree.h"

namespace varnel {

// ".1.1.0.2" (hex digits, each after a dot); nothing for any other text.
std::optional<Route> ParseIdRouteText(std::string_view text);

struct DeviceLookup {
  int device = 0;      // 0: not (yet) known
  bool ambiguous = false;  // two devices answer to the same path
};

// A text starting with '.' is an ID Route; anything else is a path of names.
// Names compare exactly, trailing blanks aside.
DeviceLookup FindDevice(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree,
                        std::string_view text);

// The names of a device's ancestors and itself, top first, as FindDevice reads them.
std::string DeviceNamePath(const std::vector<DeviceTreeNode>& tree, int device);

}  // namespace varnel
