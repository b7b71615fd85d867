#include "netsettings/block_request.h"

#include <gtest/gtest.h>

#include "netsettings_fixture.h"
#include "wire/frame.h"

using namespace varnel;
using varnel::testing::ExampleNetworkForm;

namespace {

const Route kRoot{1};

// The frame without the direction byte and the root's address byte.
Bytes Payload(const BlockRequest& r) {
  EXPECT_GE(r.frame.size(), 2u);
  return Bytes(r.frame.begin() + 2, r.frame.end());
}

}  // namespace

TEST(BlockRequest, NetworkWriteLaysOutEveryFieldInOrder) {
  const BlockRequest r = BuildBlockRequest(ExampleNetworkForm(), kRoot, kWriteRequest);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.expectedCode, 0x11);
  // Direction, the root's ID and the device-level 0, then the payload.
  EXPECT_EQ(Bytes(r.frame.begin(), r.frame.begin() + 2), (Bytes{0x00, 0x01}));
  EXPECT_EQ(Payload(r), (Bytes{0x11, 0x12, 0xAB, 0x05, 0x00, 0x0A, 0x00, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0x00, 0x0A,
                               0x00, 0x00, 0x01}));
  EXPECT_FALSE(r.snmpIpText);
  EXPECT_FALSE(r.clearIp);
}

TEST(BlockRequest, SnmpGroupAddsManagerAndCommunityAndOffMeansNoManager) {
  BlockForm f = ExampleNetworkForm();
  f.vlan = "4095";  // little-endian: FF 0F
  f.snmpShown = true;
  f.snmpOn = true;
  f.snmpIp = "192.168.1.9";
  f.community = "сеть";  // Windows-1251 on the wire
  BlockRequest r = BuildBlockRequest(f, kRoot, kWriteRequest);
  ASSERT_EQ(r.error, "");
  Bytes p = Payload(r);
  EXPECT_EQ(Bytes(p.begin() + 3, p.begin() + 5), (Bytes{0xFF, 0x0F}));
  EXPECT_EQ(Bytes(p.begin() + 17, p.end()), (Bytes{192, 168, 1, 9, 0xF1, 0xE5, 0xF2, 0xFC}));
  EXPECT_FALSE(r.snmpIpText);

  f.snmpOn = false;
  r = BuildBlockRequest(f, kRoot, kWriteRequest);
  p = Payload(r);
  EXPECT_EQ(Bytes(p.begin() + 17, p.begin() + 21), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(p.size(), 25u);  // the community still goes
  EXPECT_EQ(r.snmpIpText, "0.0.0.0");
}

TEST(BlockRequest, EveryInvalidFieldIsNamedOnceAndNothingIsBuilt) {
  BlockForm f = ExampleNetworkForm();
  f.mac = "12AB34";
  f.vlan = "5000";
  f.ip = "1.2.3";
  BlockRequest r = BuildBlockRequest(f, kRoot, kWriteRequest);
  EXPECT_EQ(r.error, "МАС-адрес\rVLAN ID\rIP адрес\r");
  EXPECT_TRUE(r.frame.empty());

  // Texts that are not numbers at all, and a MAC with a non-hex pair.
  for (const char* vlan : {"", "abc", "-1", "12x", "4096"}) {
    f = ExampleNetworkForm();
    f.vlan = vlan;
    EXPECT_EQ(BuildBlockRequest(f, kRoot, kWriteRequest).error, "VLAN ID\r") << vlan;
  }
  f = ExampleNetworkForm();
  f.mac = "12G4";
  EXPECT_EQ(BuildBlockRequest(f, kRoot, kWriteRequest).error, "МАС-адрес\r");
  // Mask and gateway are not checked; an SNMP community of 9 characters is.
  f = ExampleNetworkForm();
  f.mask = "x";
  f.snmpShown = true;
  f.community = "123456789";
  EXPECT_EQ(BuildBlockRequest(f, kRoot, kWriteRequest).error, "SNMP community\r");
}

TEST(BlockRequest, ReadsCarryNoFieldsAndClearWhatTheAnswerRefills) {
  BlockForm f = ExampleNetworkForm();
  f.ip = "not checked on reading";
  BlockRequest r = BuildBlockRequest(f, kRoot, kReadRequest);
  EXPECT_EQ(r.frame, (Bytes{0x00, 0x01, 0x11}));
  EXPECT_EQ(r.expectedCode, 0x11);
  EXPECT_TRUE(r.clearIp);
  EXPECT_FALSE(r.clearName);

  f.page = BlockPage::Attributes;
  r = BuildBlockRequest(f, kRoot, kReadRequest);
  EXPECT_EQ(r.frame, (Bytes{0x00, 0x01}));  // the identity request
  EXPECT_EQ(r.expectedCode, 0x02);
  EXPECT_TRUE(r.clearName);
}

TEST(BlockRequest, AttributesWriteSendsIdThenNameInWindows1251) {
  BlockForm f;
  f.idIndex = 2;
  f.name = "AB";
  EXPECT_EQ(Payload(BuildBlockRequest(f, kRoot, kWriteRequest)), (Bytes{0x03, 0x41, 0x42}));
  f.name = "ПС 1";
  EXPECT_EQ(Payload(BuildBlockRequest(f, kRoot, kWriteRequest)), (Bytes{0x03, 0xCF, 0xD1, 0x20, 0x31}));

  // A character without a Windows-1251 byte and an ID the list does not hold.
  f.name = "Блок 日";
  f.idIndex = -1;
  const BlockRequest r = BuildBlockRequest(f, kRoot, kWriteRequest);
  EXPECT_EQ(r.error, "ID блока\rИмя блока\r");
  EXPECT_TRUE(r.frame.empty());
}

TEST(BlockRequest, DeviceBehindAChannelIsAddressedByItsIdRoute) {
  const Route far{1, 2, 0, 7};
  // Nibbles 1, 2, 0, 7 and a padding 0, then the read code.
  EXPECT_EQ(BuildBlockRequest(ExampleNetworkForm(), far, kReadRequest).frame, (Bytes{0x00, 0x21, 0x70, 0x00, 0x11}));
}
