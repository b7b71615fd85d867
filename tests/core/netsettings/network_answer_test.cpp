#include "netsettings/network_answer.h"

#include <gtest/gtest.h>

using namespace varnel;

namespace {

// 0x11, MAC tail 0A 1B, VLAN 0x1234, 10.0.0.2, 255.255.0.0, 10.0.0.1.
Bytes ShortAnswer() {
  return {0x11, 0x0A, 0x1B, 0x34, 0x12, 10, 0, 0, 2, 255, 255, 0, 0, 10, 0, 0, 1};
}

Bytes WithSnmp(std::initializer_list<std::uint8_t> manager, std::initializer_list<std::uint8_t> community) {
  Bytes b = ShortAnswer();
  b.insert(b.end(), manager);
  b.insert(b.end(), community);
  return b;
}

}  // namespace

TEST(NetworkAnswer, ShortFormFillsEthernetFieldsAndLeavesPanelsAlone) {
  const auto s = ParseNetworkSettings(ShortAnswer());
  ASSERT_TRUE(s);
  EXPECT_EQ(std::tuple(s->mac, s->vlan, s->ip, s->mask, s->gateway),
            std::tuple("0A1B", "4660", "10.0.0.2", "255.255.0.0", "10.0.0.1"));
  EXPECT_FALSE(s->maskGatewayShown || s->snmp.shown);
}

// The GUI's block settings tests read a manager and a community back.
TEST(NetworkAnswer, SnmpFormTicksTheBoxUnlessTheManagerIsZero) {
  auto s = ParseNetworkSettings(WithSnmp({0, 0, 0, 0}, {}));
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->maskGatewayShown && s->snmp.shown);
  EXPECT_FALSE(s->snmp.enabled);
  s = ParseNetworkSettings(WithSnmp({0, 0, 0, 1}, {0xF1, 0xE5, 0xF2, 0xFC}));
  ASSERT_TRUE(s);
  EXPECT_EQ(std::tuple(s->snmp.enabled, s->snmp.managerIp, s->snmp.community), std::tuple(true, "0.0.0.1", "сеть"));
}

TEST(NetworkAnswer, HostileAnswersAreRefusedOrTamed) {
  Bytes b = ShortAnswer();
  b.pop_back();
  EXPECT_FALSE(ParseNetworkSettings(b));
  EXPECT_FALSE(ParseNetworkSettings({}));
  b = ShortAnswer();
  b[0] = 0x12;
  EXPECT_FALSE(ParseNetworkSettings(b));

  // 18..20 bytes: the SNMP part is incomplete, so it is not shown at all.
  b = ShortAnswer();
  b.insert(b.end(), {1, 2, 3});
  auto s = ParseNetworkSettings(b);
  ASSERT_TRUE(s);
  EXPECT_FALSE(s->snmp.shown);

  // Line breaks become blanks, zero bytes vanish, and no more than the
  // edit's eight characters are taken.
  s = ParseNetworkSettings(WithSnmp({1, 1, 1, 1}, {'a', '\r', 'b', 0, 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'}));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->snmp.community, "a bcdef");
}
