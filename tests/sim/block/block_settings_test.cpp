// A block's own settings: the network settings and the name that the program
// writes, answered as the block would, and the identity that carries the name.
#include "sim/block/block_settings.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace varnel::sim {
namespace {

// 0x11, MAC tail, VLAN 5, 10.0.0.2, 255.255.255.0, 10.0.0.1.
Bytes EthernetWrite() {
  return {0x11, 0x12, 0xAB, 0x05, 0x00, 10, 0, 0, 2, 255, 255, 255, 0, 10, 0, 0, 1};
}

TEST(SimBlockSettings, ReadAnswersInTheLongFormAndAShortWriteKeepsTheSnmpPart) {
  BlockSettings settings(BlockOrFail(3, "A", 2), DefaultEthernet(3));
  const Bytes snmp{0, 0, 0, 0, 'p', 'u', 'b', 'l', 'i', 'c'};
  Bytes defaults{0x11, 0x5A, 0x03, 0x00, 0x00, 192, 168, 0, 103, 255, 255, 255, 0, 192, 168, 0, 1};
  defaults.insert(defaults.end(), snmp.begin(), snmp.end());
  EXPECT_EQ(settings.Handle(Bytes{0x11}, 0)->body, defaults);
  Bytes written = EthernetWrite();
  written.insert(written.end(), snmp.begin(), snmp.end());
  EXPECT_EQ(settings.Handle(EthernetWrite(), 0)->body, written);
  EXPECT_EQ(settings.Handle(Bytes{0x11}, 0)->body, written);
}

TEST(SimBlockSettings, MalformedWritesAreLeftUnansweredAndChangeNothing) {
  BlockSettings settings(BlockOrFail(3, "A", 2), DefaultEthernet(3));
  const Bytes before = *settings.Handle(Bytes{0x11}, 0)->body;
  Bytes vlan = EthernetWrite();
  vlan[3] = 0x00;
  vlan[4] = 0x10;  // 4096
  Bytes between = EthernetWrite();
  between.push_back(1);  // 18 bytes: neither form
  Bytes longCommunity = EthernetWrite();
  longCommunity.insert(longCommunity.end(), 4 + 9, 'c');
  Bytes longName(kMaxNameBytes + 2, 'n');
  longName[0] = 3;  // ID 3 kept
  for (const Bytes& request : {vlan, between, longCommunity, longName}) {
    SCOPED_TRACE(HexText(request));
    const auto reply = settings.Handle(request, 0);
    ASSERT_TRUE(reply);
    EXPECT_FALSE(reply->body);
    EXPECT_NE(reply->note.find("unanswered"), std::string::npos);
  }
  EXPECT_EQ(*settings.Handle(Bytes{0x11}, 0)->body, before);
  EXPECT_EQ(settings.WireName(), "A");
  // Not the block's own commands: left to its boards' behaviour.
  EXPECT_FALSE(settings.Handle(Bytes{0x12}, 0));
  EXPECT_FALSE(settings.Handle(Bytes{0x0F, 'x'}, 0));
}

TEST(SimBlockSettings, NewNameIsAnsweredAndCarriedByEveryLaterIdentity) {
  Emulator emulator(BlockOrFail(1, "A", 2));
  // ID 1 kept, name "ПС" in Windows-1251; the answer is the identity.
  const Outcome written = emulator.Handle(Sealed({0x00, 0x01, 0x01, 0xCF, 0xD1}));
  EXPECT_EQ(Frames(written), (std::vector<Bytes>{Sealed({0x80, 0x01, 0x00, 0x02, 0xCF, 0xD1})}));
  EXPECT_EQ(Frames(emulator.Handle(Sealed({0x00, 0x0F}))),
            (std::vector<Bytes>{Sealed({0x80, 0x01, 0x00, 0x02, 0xCF, 0xD1})}));

  // Another ID is not taken: the Routes stay, the console says so.
  const Outcome other = emulator.Handle(Sealed({0x00, 0x01, 0x05, 'B'}));
  EXPECT_EQ(Frames(other), (std::vector<Bytes>{Sealed({0x80, 0x01, 0x00, 0x02, 'B'})}));
  EXPECT_NE(other.note.find("ID 5 not taken"), std::string::npos) << other.note;
}

TEST(SimBlockSettings, DeviceBehindAChannelAnswersUnderItsIdRoute) {
  const auto networks = NetworksOrFail(
      "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n"
      "[dev.d]\nmaster=r\nup=1\nchannel=2\nid=7\nname=D\n");
  const Emulator emulator(networks.front());
  // Nibbles 1, 2, 0, 7, 0 (padded): 21 70 00, then 0x11.
  const Outcome read = emulator.Handle(Sealed({0x00, 0x21, 0x70, 0x00, 0x11}));
  ASSERT_EQ(read.answers.size(), 1u);
  const Bytes& frame = read.answers[0].frame;
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 5), (Bytes{0x80, 0x21, 0x70, 0x00, 0x11}));
  EXPECT_EQ(frame[6], 0x07);  // MAC tail ends in the ID
}

}  // namespace
}  // namespace varnel::sim
