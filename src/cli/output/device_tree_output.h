#pragma once
// The explored network as text (an indented tree) or as JSON.

#include <QJsonArray>
#include <string>

#include "network/device_tree.h"

namespace varnel::cli {

std::string DeviceTreeText(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree);
QJsonArray DeviceTreeJson(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree);

}  // namespace varnel::cli
