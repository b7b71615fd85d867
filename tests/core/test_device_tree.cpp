#include <set>

#include "core_fakes.h"
#include "network/device_tree.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

// "2 A#1 {2.2 Канал 2#5, ...}": owner, channel, label, icon, then the children.
std::string Render(const DeviceTreeNode& n) {
  std::string text = std::to_string(n.device) + (n.channel ? "." + std::to_string(n.channel) : "") + " " + n.label +
                     "#" + std::to_string(n.icon);
  for (std::size_t i = 0; i < n.children.size(); ++i) text += (i == 0 ? " {" : ", ") + Render(n.children[i]);
  return n.children.empty() ? text : text + "}";
}

std::string Render(const std::vector<DeviceTreeNode>& top) {
  std::string text;
  for (const auto& n : top) text += (text.empty() ? "" : " | ") + Render(n);
  return text;
}

// Device numbers of all device nodes, repeats kept.
void CollectDevices(const std::vector<DeviceTreeNode>& nodes, std::multiset<int>& out) {
  for (const auto& n : nodes) {
    if (n.channel == 0) out.insert(n.device);
    CollectDevices(n.children, out);
  }
}

class DeviceTreeTest : public LinkTest {
 protected:
  std::string Build() { return Render(BuildDeviceTree(reg)); }
  std::string Shown() const {
    std::string s;
    for (int d = 1; d <= 6; ++d) s += reg.device(d).shownInTree ? '1' : '0';
    return s;
  }
  // Up-connection channels are hidden, as discovery leaves them.
  void HideUpChannel(int d) { reg.device(d).channels[reg.device(d).upConn - 1].show = false; }

  DeviceRegistry& reg = link.registry;
};

}  // namespace

TEST_F(DeviceTreeTest, DevicesHangBelowTheirMastersChannels) {
  reg.AllocDevice();
  reg.device(1).name = "R";
  HideUpChannel(Below(1, 2, 1, "A"));
  Below(1, 2, 0, "E");
  HideUpChannel(Below(1, 2, 3, "B"));
  HideUpChannel(Below(2, 3, 2, "C"));
  Below(50, 1, 7, "X");  // master unknown; odd up side
  // Channel devices come first under the channel node (the later one first), Ethernet ones last.
  const std::string full =
      "1 R#0 {1.1 Канал 1#5, 1.2 Канал 2#5 {4 B#3 {4.1 Канал 1#5, 4.2 Канал 2#5}, "
      "2 A#1 {2.2 Канал 2#5, 2.3 Канал 3#5 {5 C#2 {5.1 Канал 1#5, 5.3 Канал 3#5}}}, "
      "3 E#0 {3.1 Канал 1#5, 3.2 Канал 2#5, 3.3 Канал 3#5}}, 1.3 Канал 3#5} | "
      "6 X#4 {6.1 Канал 1#5, 6.2 Канал 2#5, 6.3 Канал 3#5}";
  EXPECT_EQ(Build(), full);
  EXPECT_EQ(Shown(), "111111");

  reg.device(1).channels[1].show = false;
  EXPECT_EQ(Build(), "1 R#0 {1.1 Канал 1#5, 1.3 Канал 3#5} | 6 X#4 {6.1 Канал 1#5, 6.2 Канал 2#5, 6.3 Канал 3#5}");
  EXPECT_EQ(Shown(), "100001");

  reg.device(1).channels[1].show = true;
  EXPECT_EQ(Build(), full);
  EXPECT_EQ(Shown(), "111111");
}

TEST_F(DeviceTreeTest, CycleOfMastersStillShowsEveryDeviceOnce) {
  reg.AllocDevice();
  Below(3, 1, 0, "P");
  Below(2, 1, 0, "Q");
  const auto top = BuildDeviceTree(reg);
  std::multiset<int> devices;
  CollectDevices(top, devices);
  EXPECT_EQ(devices, (std::multiset<int>{1, 2, 3}));
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[1].device, 2);
}

TEST_F(DeviceTreeTest, TestTopologyReplacesTheRegistryWithOneTreeOfAHundred) {
  reg.device(120).inUse = true;
  RecordingEvents events;
  Discovery(link.trace, reg, link.request, events).FillTestTopology();
  EXPECT_FALSE(reg.inUse(120));
  EXPECT_FALSE(reg.inUse(101));
  auto place = [&](int n) {
    const TStructDev& d = reg.device(n);
    return std::to_string(d.rootNumber) + ":" + std::to_string(d.rootPort) + " up " + std::to_string(d.upConn) +
           " id " + std::to_string(d.id) + " " + d.name;
  };
  EXPECT_EQ(place(1), "0:1 up 0 id 1 Блок ddd1");
  EXPECT_EQ(place(4), "3:1 up 3 id 4 Блок ddd4");
  EXPECT_EQ(place(5), "1:2 up 0 id 5 Блок ddd5");
  EXPECT_EQ(place(11), "2:3 up 2 id 11 Блок ddd11");
  EXPECT_EQ(place(100), "10:3 up 3 id 100 Блок ddd100");
  EXPECT_EQ(reg.device(50).sendRoute, Route::Unset());

  const auto top = BuildDeviceTree(reg);
  ASSERT_EQ(top.size(), 1u);
  std::multiset<int> devices, all;
  CollectDevices(top, devices);
  for (int d = 1; d <= 100; ++d) all.insert(d);
  EXPECT_EQ(devices, all);
}
