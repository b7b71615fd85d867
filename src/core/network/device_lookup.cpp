#include "network/device_lookup.h"

namespace varnel {

namespace {

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitPath(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = text.find('/', start);
    parts.push_back(TrimRight(text.substr(start, slash - start)));
    if (slash == std::string_view::npos) return parts;
    start = slash + 1;
  }
}

// The device nodes directly below a node: those under its channel nodes.
void DevicesBelow(const DeviceTreeNode& node, std::vector<const DeviceTreeNode*>& out) {
  for (const DeviceTreeNode& child : node.children) {
    if (child.channel == 0) {
      out.push_back(&child);
    } else {
      DevicesBelow(child, out);
    }
  }
}

bool PathTo(const std::vector<const DeviceTreeNode*>& level, int device, std::vector<std::string>& names) {
  for (const DeviceTreeNode* node : level) {
    names.push_back(node->label);
    if (node->device == device) return true;
    std::vector<const DeviceTreeNode*> below;
    DevicesBelow(*node, below);
    if (PathTo(below, device, names)) return true;
    names.pop_back();
  }
  return false;
}

std::vector<const DeviceTreeNode*> TopLevel(const std::vector<DeviceTreeNode>& tree) {
  std::vector<const DeviceTreeNode*> level;
  for (const DeviceTreeNode& node : tree) level.push_back(&node);
  return level;
}

}  // namespace

std::optional<Route> ParseIdRouteText(std::string_view text) {
  if (text.size() < 2 || text.size() % 2 != 0 || text.size() / 2 > Route::kCapacity) return std::nullopt;
  Route route;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    if (text[i] != '.') return std::nullopt;
    const char c = text[i + 1];
    if (c >= '0' && c <= '9') {
      route.push_back(static_cast<std::uint8_t>(c - '0'));
    } else if (c >= 'A' && c <= 'F') {
      route.push_back(static_cast<std::uint8_t>(c - 'A' + 10));
    } else if (c >= 'a' && c <= 'f') {
      route.push_back(static_cast<std::uint8_t>(c - 'a' + 10));
    } else {
      return std::nullopt;
    }
  }
  return route;
}

DeviceLookup FindDevice(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree,
                        std::string_view text) {
  if (text.starts_with('.')) {
    const auto route = ParseIdRouteText(text);
    return {route ? registry.FindByIDRoute(*route) : 0, false};
  }
  std::vector<const DeviceTreeNode*> level = TopLevel(tree);
  const DeviceTreeNode* found = nullptr;
  for (std::string_view name : SplitPath(text)) {
    const DeviceTreeNode* match = nullptr;
    for (const DeviceTreeNode* node : level) {
      if (TrimRight(node->label) != name) continue;
      if (match != nullptr) return {0, true};
      match = node;
    }
    if (match == nullptr) return {};
    found = match;
    level.clear();
    DevicesBelow(*match, level);
  }
  return {found ? found->device : 0, false};
}

std::string DeviceNamePath(const std::vector<DeviceTreeNode>& tree, int device) {
  std::vector<std::string> names;
  if (!PathTo(TopLevel(tree), device, names)) return {};
  std::string path;
  for (const std::string& name : names) path += (path.empty() ? "" : "/") + name;
  return path;
}

}  // namespace varnel
