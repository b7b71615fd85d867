#include "core_fakes.h"
#include "network/navigation.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

// The root "Корень" and device 2 "Блок 7" behind its channel 2 (own channel 1).
class NavigationTest : public LinkTest {
 protected:
  NavigationTest() {
    reg.device(AddDevice({1}, {1})).name = "Корень";
    const int n = AddDevice({1, 2}, {1, 2, 0, 7});
    auto& d = reg.device(n);
    d.name = "Блок 7";
    d.rootNumber = 1;
    d.rootPort = 2;
    d.upConn = 1;
  }
  DeviceRegistry& reg = link.registry;
};

}  // namespace

TEST_F(NavigationTest, OpenBlockAndRefreshChannelSendTheirProbes) {
  link.request.requestMode = kWriteRequest;
  link.request.expectedCode = 0x15;
  clock = ClockAt(11, 5, 9);  // the request stamps the time it is sent
  EXPECT_EQ(OpenBlock(link, 2), "[11:05:09] Команда открытия блока \"Блок 7\" отправлена");
  EXPECT_EQ(link.request.requestMode, kReadRequest);
  EXPECT_EQ(link.request.expectedCode, 1);
  EXPECT_EQ(link.request.openDevice, 2);

  EXPECT_EQ(RefreshChannel(link, 2, 3), "[11:05:09] Команда в канал 3 блока \"Блок 7\" отправлена");
  EXPECT_EQ(link.request.openDevice, 2);
  ASSERT_EQ(sink.sent.size(), 2u);
  // Nibbles 1 2 0 7 0, then 1 2 3 0 F 0.
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x21, 0x70, 0x00, 0x6E}));
  EXPECT_EQ(sink.sent[1].bytes, (Bytes{0x00, 0x21, 0x03, 0x0F, 0xCC}));
  EXPECT_EQ(sink.sent[1].port, kDevicePort);
}

TEST_F(NavigationTest, SelectionTexts) {
  EXPECT_EQ(DevicePanelText(2, "Блок 7"), "Устройство: 2 Блок 7");
  EXPECT_EQ(DevicePanelText(0, "Блок 7"), "Устройство: -");
  EXPECT_EQ(OpenBlockRouteText(reg, 2), "00217000");
  EXPECT_EQ(OpenBlockRouteText(reg, 1), "0001");
  EXPECT_EQ(OpenBlockRouteText(reg, 0), "00");
  EXPECT_EQ(OpenBlockRouteText(reg, 9), "00");
  EXPECT_EQ(PanelDevText(reg, 2, 0), "Блок [Корень] к.2---к.1 [Блок 7]");
  EXPECT_EQ(PanelDevText(reg, 2, 3), "Блок [Корень] к.2---к.1 [Блок 7] канал 3");
  EXPECT_EQ(ExploreCaption(reg, 2, 1), "Обновить");
  EXPECT_EQ(ExploreCaption(reg, 2, 0), "Открыть блок Блок 7");
  reg.device(2).name = Repeat("Ж", 40);
  EXPECT_EQ(ExploreCaption(reg, 2, 0), "Открыть блок " + Repeat("Ж", 32));
}

TEST_F(NavigationTest, DeleteNamesDependantsNearestFirstAndFreesThem) {
  const int near = Below(2, 3, 1, "Блок 8");
  const int far = Below(near, 2, 1, "Блок 9");
  const int neighbour = Below(1, 1, 1, "Сосед");
  const int viaChannel2 = Below(2, 2, 1, "Блок 6");
  std::vector<int> list;
  EXPECT_EQ(DeleteQuestion(reg, 2, list), "Удалить устройство Блок 7?\rК этому устройству подключены:\rБлок 6\rБлок 8\rБлок 9");
  const std::vector<int> dependants = list;
  EXPECT_EQ(dependants, (std::vector<int>{viaChannel2, near, far}));
  EXPECT_EQ(DeleteQuestion(reg, far, list), "Удалить устройство Блок 9?\r");
  EXPECT_TRUE(list.empty());

  link.request.currentDevice = 2;
  link.request.currentChannel = 3;
  DeleteDevice(link, 2, dependants);
  for (int d : {2, near, far, viaChannel2}) EXPECT_FALSE(reg.inUse(d)) << d;
  EXPECT_TRUE(reg.inUse(1));
  EXPECT_TRUE(reg.inUse(neighbour));
  EXPECT_EQ(link.request.currentDevice, 0);
  EXPECT_EQ(link.request.currentChannel, 0);
}
