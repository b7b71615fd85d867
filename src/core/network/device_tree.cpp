#include "network/device_tree.h"

#include <array>
#include <deque>

namespace varnel {

namespace {

void MarkVisibility(DeviceRegistry& registry) {
  for (int d = 1; d <= kMaxDevices; ++d) registry.device(d).shownInTree = true;
  for (int d = 1; d <= kMaxDevices; ++d) {
    if (!registry.inUse(d)) continue;
    for (int c = 1; c <= 3; ++c) {
      if (registry.device(d).channels[c - 1].show) continue;
      std::vector<int> hidden;
      registry.CollectDependants(d, c, hidden);
      for (int h : hidden) registry.device(h).shownInTree = false;
    }
  }
}

bool Shown(const DeviceRegistry& registry, int d) { return registry.inUse(d) && registry.device(d).shownInTree; }

class TreeAssembler {
 public:
  explicit TreeAssembler(const DeviceRegistry& registry) : registry_(registry) {}

  std::vector<DeviceTreeNode> Build() {
    std::vector<int> top;
    for (int i = 1; i <= kMaxDevices; ++i) {
      if (!Shown(registry_, i)) continue;
      if (!PlaceUnderMaster(i)) top.push_back(i);
    }
    std::vector<DeviceTreeNode> roots;
    for (int i : top) roots.push_back(DeviceNode(i));
    // A cycle of masters is reachable from no top-level node; show it anyway.
    for (int i = 1; i <= kMaxDevices; ++i) {
      if (Shown(registry_, i) && !emitted_[i]) roots.push_back(DeviceNode(i));
    }
    return roots;
  }

 private:
  // Channel devices go first under the master's channel node, Ethernet ones last.
  bool PlaceUnderMaster(int i) {
    const TStructDev& dev = registry_.device(i);
    const int m = dev.rootNumber;
    const int c = dev.rootPort;
    if (i == 1 || m == 0 || m == i || !Shown(registry_, m) || c < 1 || c > 3) return false;
    if (!registry_.device(m).channels[c - 1].show) return false;
    auto& list = placed_[m][c - 1];
    if (dev.upConn >= 1 && dev.upConn <= 3) {
      list.push_front(i);
    } else {
      list.push_back(i);
    }
    return true;
  }

  DeviceTreeNode DeviceNode(int d) {
    emitted_[d] = true;
    const TStructDev& dev = registry_.device(d);
    DeviceTreeNode node{d, 0, dev.name, dev.upConn <= 3 ? dev.upConn : 4, {}};
    for (int c = 1; c <= 3; ++c) {
      if (!dev.channels[c - 1].show) continue;
      DeviceTreeNode channel{d, c, "Канал " + std::to_string(c), kChannelIcon, {}};
      for (int child : placed_[d][c - 1]) {
        if (!emitted_[child]) channel.children.push_back(DeviceNode(child));
      }
      node.children.push_back(std::move(channel));
    }
    return node;
  }

  const DeviceRegistry& registry_;
  std::array<std::array<std::deque<int>, 3>, kMaxDevices + 1> placed_{};
  std::array<bool, kMaxDevices + 1> emitted_{};
};

}  // namespace

std::vector<DeviceTreeNode> BuildDeviceTree(DeviceRegistry& registry) {
  MarkVisibility(registry);
  return TreeAssembler(registry).Build();
}

}  // namespace varnel
