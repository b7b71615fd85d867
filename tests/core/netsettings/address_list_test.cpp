#include "netsettings/address_list.h"

#include <gtest/gtest.h>

using namespace varnel;

namespace {

struct Settings {
  int count = 0;
  AddressTexts ips{}, names{};
  AddressList list() { return {count, ips, names}; }
};

Settings Full() {
  Settings s;
  s.count = kAddressEntries;
  for (int i = 0; i < kAddressEntries; ++i) {
    s.ips[static_cast<std::size_t>(i)] = "10.0.0." + std::to_string(i + 1);
    s.names[static_cast<std::size_t>(i)] = "Блок " + std::to_string(i + 1);
  }
  return s;
}

}  // namespace

TEST(AddressList, MenuShowsListedEntriesPaddedWithTheirNamesAndChecksThePeer) {
  Settings s = Full();
  s.count = 3;
  const auto items = AddressMenuItems(s.list(), "10.0.0.2");
  EXPECT_TRUE(items[2].visible);
  EXPECT_FALSE(items[3].visible);
  EXPECT_TRUE(items[1].checked);
  EXPECT_FALSE(items[0].checked);
  // Eight characters of address, twelve blanks, then the name.
  EXPECT_EQ(items[0].caption, "10.0.0.1            Блок 1");
}

TEST(AddressList, NewAddressGoesFirstAndTheSixteenthFallsOff) {
  Settings s = Full();
  ASSERT_TRUE(AddAddressFirst(s.list(), "192.168.5.5"));
  EXPECT_EQ(s.count, kAddressEntries);
  EXPECT_EQ(s.ips[0], "192.168.5.5");
  EXPECT_EQ(s.names[0], "");  // the old first name does not stick to the new address
  EXPECT_EQ(s.names[1], "Блок 1");
  EXPECT_EQ(s.ips[15], "10.0.0.15");

  // An address already listed is listed twice.
  ASSERT_TRUE(AddAddressFirst(s.list(), "10.0.0.1"));
  EXPECT_EQ(s.ips[0], "10.0.0.1");
  EXPECT_EQ(s.ips[2], "10.0.0.1");
}

TEST(AddressList, InvalidAddressChangesNothingAndValidOnesAreKeptPlain) {
  Settings s;
  const Settings before = s;
  for (const char* bad : {"1.2.3", "1.2.3.256", "a.b.c.d", "", " 1.2.3.4"}) {
    EXPECT_FALSE(AddAddressFirst(s.list(), bad)) << bad;
  }
  EXPECT_EQ(s.count, before.count);
  EXPECT_EQ(s.ips, before.ips);

  // Leading zeros and a trailing dot pass the check, but answers come from
  // the plain form, and the receive filter compares texts.
  ASSERT_TRUE(AddAddressFirst(s.list(), "010.000.0.07."));
  EXPECT_EQ(s.count, 1);
  EXPECT_EQ(s.ips[0], "10.0.0.7");
}
