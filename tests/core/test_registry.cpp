#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class RegistryTest : public LinkTest {
 protected:
  DeviceRegistry& reg = link.registry;

  std::vector<int> Dependants(int m, int c) {
    std::vector<int> list;
    reg.CollectDependants(m, c, list);
    return list;
  }
};

}  // namespace

TEST_F(RegistryTest, AllocTakesLowestFreeNumberUntilFull) {
  EXPECT_EQ(reg.AllocDevice(), 1);
  EXPECT_EQ(reg.AllocDevice(), 2);
  reg.FreeDevice(1);
  EXPECT_EQ(reg.AllocDevice(), 1);
  for (int n = 3; n <= 128; ++n) ASSERT_EQ(reg.AllocDevice(), n);
  EXPECT_TRUE(trace.lines.empty());
  EXPECT_EQ(reg.AllocDevice(), 0);
  EXPECT_EQ(trace.messages(), std::vector<std::string>{"Num_Devs MAX "});
}

TEST_F(RegistryTest, FreedRecordIsResetAndNeverFound) {
  const int n = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  auto& d = reg.device(n);
  d.name = "Блок";
  d.channels[1].show = false;
  d.board(4).Valid = 1;
  d.board(4).Values[0] = 5;
  d.board(4).Modules[2].Texts[11] = "x";
  d.board(10).Requests = 3;
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2}), n);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 7}), n);

  reg.FreeDevice(n);
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2}), 0);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 7}), 0);
  // Free records hold the unset route, which must not match either.
  EXPECT_EQ(reg.FindBySendRoute(Route::Unset()), 0);
  EXPECT_EQ(reg.FindByIDRoute(Route::Unset()), 0);

  ASSERT_EQ(reg.AllocDevice(), n);
  const auto& fresh = reg.device(n);
  EXPECT_TRUE(fresh.name.empty());
  EXPECT_EQ(fresh.sendRoute, Route::Unset());
  EXPECT_TRUE(fresh.channels[1].show);
  for (int slot = 1; slot <= kBoardSlots; ++slot) {
    const TBRDS& b = fresh.board(slot);
    decltype(b.Values) cleared{};
    if (slot == kModemSlot) cleared[0] = kClockNotRead;  // the modem's clock: not read yet
    EXPECT_EQ(b.Valid, 0);
    EXPECT_EQ(b.Values, cleared);
    EXPECT_EQ(b.Modules[2].Texts[11], "");
    EXPECT_EQ(b.Requests + b.Answers, 0u);
  }
}

TEST_F(RegistryTest, FindMatchesWholeRouteAndPrefersLowestNumber) {
  AddDevice(Route{1}, Route{1});
  const int a = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  AddDevice(Route{1, 2}, Route{1, 2, 0, 8});
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2}), a);
  EXPECT_EQ(reg.FindBySendRoute(Route{1, 2, 0}), 0);
  EXPECT_EQ(reg.FindBySendRoute(Route{2}), 0);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 8}), 3);
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2}), 0);
}

TEST_F(RegistryTest, DependantsComeDepthFirst) {
  reg.AllocDevice();        // 1: main root
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

TEST_F(RegistryTest, CycleInRootNumbersEnds) {
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

TEST_F(RegistryTest, PathTextFromRootDown) {
  reg.AllocDevice();
  reg.device(1).name = "Корень";
  const int dev = Below(1, 2, 1, "Блок 7");
  const int deeper = Below(dev, 3, 0, "Блок 9");
  EXPECT_EQ(reg.DevicePathText(1), "[Корень]");
  EXPECT_EQ(reg.DevicePathText(dev), "[Корень] к.2---к.1 [Блок 7]");
  EXPECT_EQ(reg.DevicePathText(deeper), "[Корень] к.2---к.1 [Блок 7] к.3---Eth [Блок 9]");

  // A chain that never reaches device 1 shows the root alone.
  const int p = Below(5, 1, 1, "p");
  Below(p, 1, 1, "q");
  EXPECT_EQ(reg.DevicePathText(p), "[Корень]");
}

TEST(RegistryTexts, ConnTextAndLineTypeText) {
  EXPECT_EQ(ConnText(0), "Eth");
  EXPECT_EQ(ConnText(1), "к.1");
  EXPECT_EQ(ConnText(3), "к.3");
  EXPECT_EQ(ConnText(4), "?");
  EXPECT_EQ(ConnText(-1), "?");
  EXPECT_EQ(LineTypeText(0), "Нет  ");
  EXPECT_EQ(LineTypeText(7), "FO   ");
  EXPECT_EQ(LineTypeText(9), "FS   ");
  EXPECT_EQ(LineTypeText(13), "4W01 ");
  EXPECT_EQ(LineTypeText(1), "неизв.");
  EXPECT_EQ(LineTypeText(255), "неизв.");
}

TEST(BoardTable, AddressLookupsAndLabels) {
  EXPECT_EQ(SlotOfAddress(0x04), 4);
  EXPECT_EQ(SlotOfAddress(0x05), 1);
  EXPECT_EQ(SlotOfAddress(0x0A), 6);
  EXPECT_EQ(SlotOfAddress(0x0E), 10);
  for (std::uint8_t none : {0x00, 0x01, 0x09, 0x0F, 0x14}) EXPECT_EQ(SlotOfAddress(none), 0) << int(none);
  EXPECT_EQ(BoardShortLabel(0x04), "ВК20      ");
  EXPECT_EQ(BoardShortLabel(0x0C), "ТР-40 (2) ");
  EXPECT_EQ(BoardShortLabel(0x09), "Неизв.");
}
