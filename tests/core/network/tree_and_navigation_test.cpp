#include <set>

#include "core_fakes.h"
#include "network/device_tree.h"
#include "network/navigation.h"

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

// Device numbers of all device nodes, repeats kept.
void CollectDevices(const std::vector<DeviceTreeNode>& nodes, std::multiset<int>& out) {
  for (const auto& n : nodes) {
    if (n.channel == 0) out.insert(n.device);
    CollectDevices(n.children, out);
  }
}

class NetworkTest : public LinkTest {
 protected:
  std::vector<int> Dependants(int m, int c) {
    std::vector<int> list;
    reg.CollectDependants(m, c, list);
    return list;
  }
  std::string Tree() {
    std::string text;
    for (const auto& n : BuildDeviceTree(reg)) text += (text.empty() ? "" : " | ") + Render(n);
    return text;
  }
  // The root "Корень" and device 2 "Блок 7" behind its channel 2 (own channel 1).
  void RootAndBlock7() {
    reg.device(AddDevice({1}, {1})).name = "Корень";
    auto& d = reg.device(Below(1, 2, 1, "Блок 7"));
    d.sendRoute = {1, 2};
    d.idRoute = {1, 2, 0, 7};
  }

  DeviceRegistry& reg = link.registry;
};

}  // namespace

TEST_F(NetworkTest, AllocTakesLowestFreeNumberUntilFull) {
  EXPECT_EQ(reg.AllocDevice(), 1);
  EXPECT_EQ(reg.AllocDevice(), 2);
  reg.FreeDevice(1);
  EXPECT_EQ(reg.AllocDevice(), 1);
  for (int n = 3; n <= 128; ++n) ASSERT_EQ(reg.AllocDevice(), n);
  EXPECT_TRUE(trace.lines.empty());
  EXPECT_EQ(reg.AllocDevice(), 0);
  EXPECT_EQ(trace.messages(), Strings{"Num_Devs MAX "});
}

TEST_F(NetworkTest, FreedRecordIsResetAndNeverFound) {
  const int n = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  TStructDev& d = reg.device(n);
  d.name = "Блок";
  d.channels[1].show = false;
  d.board(4).Values[0] = 5;
  d.board(10).Modules[2].Texts[11] = "x";
  d.board(10).Requests = d.modemCommon.CommonValid = 1;
  reg.FreeDevice(n);
  // Free records hold the unset route, which must not match either.
  for (const Route& r : {Route{1, 2}, Route{1, 2, 0, 7}, Route::Unset()}) {
    EXPECT_EQ(reg.FindBySendRoute(r) + reg.FindByIDRoute(r), 0) << NibblesToText(r);
  }
  ASSERT_EQ(reg.AllocDevice(), n);
  EXPECT_EQ(std::tuple(d.name, d.channels[1].show, d.board(10).Modules[2].Texts[11], d.board(10).Requests,
                       d.modemCommon.CommonValid, d.sendRoute == Route::Unset()),
            std::tuple("", true, "", 0, 0, true));
  EXPECT_EQ(d.board(4).Values[0], kClockNotRead);  // the modem's clock: not read yet
}

TEST_F(NetworkTest, FindMatchesWholeRouteAndPrefersLowestNumber) {
  AddDevice(Route{1}, Route{1});
  const int a = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  AddDevice(Route{1, 2}, Route{1, 2, 0, 8});
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2}), a);
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2, 0}), 0);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 8}), 3);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2}), 0);
}

TEST_F(NetworkTest, DependantsComeDepthFirst) {
  reg.AllocDevice();          // 1: main root
  const int b = Below(1, 1);  // 2, moved below 3 next
  const int a = Below(1, 1);  // 3
  reg.device(b).rootNumber = static_cast<std::uint16_t>(a);
  const int c = Below(1, 1);  // 4
  Below(1, 2);                // 5: other channel
  const int d = Below(b, 3);  // 6: below 2 through its channel 3
  // 3 comes first and brings 2 (a lower number) and 6 along before 4.
  EXPECT_EQ(Dependants(1, 1), (std::vector<int>{a, b, d, c}));
  EXPECT_EQ(Dependants(1, 3), std::vector<int>{});
}

TEST_F(NetworkTest, CycleInRootNumbersEnds) {
  // Device 1 is never a dependant, not even of itself.
  reg.AllocDevice();
  reg.device(1).rootNumber = 1;
  reg.device(1).rootPort = 1;
  EXPECT_EQ(Dependants(1, 1), std::vector<int>{});
  const int x = Below(3, 1);
  const int y = Below(x, 1);
  ASSERT_EQ(y, 3);
  const auto list = Dependants(x, 1);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), y);
  EXPECT_LE(list.size(), 2u);
}

TEST_F(NetworkTest, PathTextFromRootDown) {
  reg.AllocDevice();
  reg.device(1).name = "Корень";
  const int dev = Below(1, 2, 1, "Блок 7");
  EXPECT_EQ(reg.DevicePathText(Below(dev, 3, 0, "Блок 9")), "[Корень] к.2---к.1 [Блок 7] к.3---Eth [Блок 9]");
  // A chain that never reaches device 1 shows the root alone.
  const int p = Below(5, 1, 1, "p");
  Below(p, 1, 1, "q");
  EXPECT_EQ(reg.DevicePathText(p), "[Корень]");
  EXPECT_EQ(ConnText(4), "?");
  EXPECT_EQ(ConnText(-1), "?");
}

TEST_F(NetworkTest, DevicesHangBelowTheirMastersChannels) {
  reg.AllocDevice();
  reg.device(1).name = "R";
  // Up-connection channels are hidden, as discovery leaves them.
  reg.device(Below(1, 2, 1, "A")).channels[0].show = false;
  Below(1, 2, 0, "E");
  reg.device(Below(1, 2, 3, "B")).channels[2].show = false;
  reg.device(Below(2, 3, 2, "C")).channels[1].show = false;
  Below(50, 1, 7, "X");  // master unknown; odd up side
  // Channel devices come first under the channel node (the later one first), Ethernet ones last.
  const std::string full =
      "1 R#0 {1.1 Канал 1#5, 1.2 Канал 2#5 {4 B#3 {4.1 Канал 1#5, 4.2 Канал 2#5}, "
      "2 A#1 {2.2 Канал 2#5, 2.3 Канал 3#5 {5 C#2 {5.1 Канал 1#5, 5.3 Канал 3#5}}}, "
      "3 E#0 {3.1 Канал 1#5, 3.2 Канал 2#5, 3.3 Канал 3#5}}, 1.3 Канал 3#5} | "
      "6 X#4 {6.1 Канал 1#5, 6.2 Канал 2#5, 6.3 Канал 3#5}";
  EXPECT_EQ(Tree(), full);
  // A hidden channel hides everything below it, until it is shown again.
  reg.device(1).channels[1].show = false;
  EXPECT_EQ(Tree(), "1 R#0 {1.1 Канал 1#5, 1.3 Канал 3#5} | 6 X#4 {6.1 Канал 1#5, 6.2 Канал 2#5, 6.3 Канал 3#5}");
  EXPECT_FALSE(reg.device(5).shownInTree);
  reg.device(1).channels[1].show = true;
  EXPECT_EQ(Tree(), full);
  EXPECT_TRUE(reg.device(5).shownInTree);
}

TEST_F(NetworkTest, CycleOfMastersAndTheTestTopologyShowEveryDeviceOnce) {
  reg.AllocDevice();
  Below(3, 1, 0, "P");
  Below(2, 1, 0, "Q");
  std::multiset<int> devices;
  CollectDevices(BuildDeviceTree(reg), devices);
  EXPECT_EQ(devices, (std::multiset<int>{1, 2, 3}));

  // The diagnostic topology replaces the registry with one tree of a hundred.
  reg.device(120).inUse = true;
  RecordingEvents events;
  Discovery(link.trace, reg, link.request, events).FillTestTopology();
  const auto top = BuildDeviceTree(reg);
  ASSERT_EQ(top.size(), 1u);
  std::multiset<int> all;
  for (int n = 1; n <= 100; ++n) all.insert(n);
  devices.clear();
  CollectDevices(top, devices);
  EXPECT_EQ(devices, all);
}

// The GUI's tree tests click through opening and refreshing; here the requests themselves.
TEST_F(NetworkTest, OpenBlockAwaitsTheIdentityAnswer) {
  RootAndBlock7();
  clock = ClockAt(11, 5, 9);  // the request stamps the time it is sent
  EXPECT_EQ(OpenBlock(link, 2), "[11:05:09] Команда открытия блока \"Блок 7\" отправлена");
  EXPECT_EQ(std::tuple(link.request.requestMode, link.request.expectedCode, link.request.openDevice),
            std::tuple(kReadRequest, 1, 2));
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x21, 0x70, 0x00, 0x6E}));  // nibbles 1 2 0 7 0
  EXPECT_EQ(RefreshChannel(link, 2, 3), "[11:05:09] Команда в канал 3 блока \"Блок 7\" отправлена");
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0x21, 0x03, 0x0F, 0xCC}));  // send Route 1 2, side 3
}

TEST_F(NetworkTest, SelectionTexts) {
  RootAndBlock7();
  EXPECT_EQ(DevicePanelText(2, "Блок 7"), "Устройство: 2 Блок 7");
  EXPECT_EQ(DevicePanelText(0, "Блок 7"), "Устройство: -");
  EXPECT_EQ(OpenBlockRouteText(reg, 2), "00217000");
  EXPECT_EQ(OpenBlockRouteText(reg, 9), "00");  // not in use
  EXPECT_EQ(PanelDevText(reg, 2, 0), "Блок [Корень] к.2---к.1 [Блок 7]");
  EXPECT_EQ(PanelDevText(reg, 2, 3), "Блок [Корень] к.2---к.1 [Блок 7] канал 3");
  EXPECT_EQ(ExploreCaption(reg, 2, 1), "Обновить");
  reg.device(2).name = Repeat("Ж", 40);
  EXPECT_EQ(ExploreCaption(reg, 2, 0), "Открыть блок " + Repeat("Ж", 32));
}

TEST_F(NetworkTest, DeleteNamesDependantsAndFreesThem) {
  RootAndBlock7();
  const int near = Below(2, 3, 1, "Блок 8");
  const int far = Below(near, 2, 1, "Блок 9");
  const int neighbour = Below(1, 1, 1, "Сосед");
  std::vector<int> list;
  EXPECT_EQ(DeleteQuestion(reg, far, list), "Удалить устройство Блок 9?\r");
  EXPECT_EQ(DeleteQuestion(reg, 2, list), "Удалить устройство Блок 7?\rК этому устройству подключены:\rБлок 8\rБлок 9");
  // Found below it while the question is open: freed with the rest, never
  // left pointing at a freed master.
  const int late = Below(far, 3, 1, "Блок 10");
  link.request.currentDevice = 2;
  link.request.currentChannel = 3;
  DeleteDevice(link, 2);
  for (int d : {2, near, far, late}) EXPECT_FALSE(reg.inUse(d)) << d;
  EXPECT_TRUE(reg.inUse(1) && reg.inUse(neighbour));
  EXPECT_EQ(std::pair(link.request.currentDevice, link.request.currentChannel), std::pair(0, 0));
}
