#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class SendPathTest : public LinkTest {
 protected:
  const TBRDS& Board(int device, int slot) { return link.registry.device(device).board(slot); }
};

}  // namespace

TEST_F(SendPathTest, DatagramGoesToPeerBlockPortAndIsTraced) {
  link.settings.peerIp = "127.0.0.9";
  link.send.SendDatagram(Bytes{0x00, 0x0F, 0x12});  // sent as it is, checksum or not
  link.send.SendFrame(BroadcastIdentityRequest());
  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x0F, 0x12}));
  EXPECT_EQ(sink.sent[0].host, "127.0.0.9");
  EXPECT_EQ(sink.sent[0].port, 12348);
  EXPECT_EQ(sink.sent[1].bytes, (Bytes{0x00, 0x0F, 0xF0}));
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"[10:20:30]  >> 000F12", "[10:20:30]  >> 000FF0"}));
}

TEST_F(SendPathTest, BoardCommandPrefixesSendRouteAndBoardAddress) {
  const int root = AddDevice(Route{1}, Route{1});
  const int far = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  link.request.currentDevice = far;

  // Root, modem board 0x04: nibbles 1, 4 -> 41; 0x41 + 0x01 = 0x42 -> BD.
  link.send.SendBoardCommand(root, 4, Bytes{0x01});
  // Behind channel 2, termination board 1 (0x05): 1, 2, 5 -> 21 05; sum 0x2D -> D2.
  link.send.SendBoardCommand(far, 1, Bytes{0x07});

  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x41, 0x01, 0xBD}));
  EXPECT_EQ(sink.sent[1].bytes, (Bytes{0x00, 0x21, 0x05, 0x07, 0xD2}));
  EXPECT_TRUE(trace.Has(" >> 004101BD"));
  EXPECT_TRUE(trace.Has(" >> 00210507D2"));
  EXPECT_EQ(Board(far, 1).Requests, 1u);
  EXPECT_EQ(Board(far, 1).Answers, 0u);
  EXPECT_EQ(Board(far, 4).Requests, 0u);
}

TEST_F(SendPathTest, SlotZeroSendsAndCountsNothing) {
  const int root = AddDevice(Route{1}, Route{1});
  link.request.currentDevice = root;
  link.send.SendBoardCommand(root, 0, Bytes{0x01});
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_TRUE(trace.lines.empty());
  for (int slot = 1; slot <= kBoardSlots; ++slot) EXPECT_EQ(Board(root, slot).Requests, 0u);
}

TEST_F(SendPathTest, InactiveEndpointSendsNothingButTracesAndCounts) {
  const int root = AddDevice(Route{1}, Route{1});
  link.request.currentDevice = root;
  sink.active = false;
  link.send.SendBoardCommand(root, 4, Bytes{0x01});
  link.send.SendBoardCommand(root, 4, Bytes{0x01});
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(trace.messages(), (std::vector<std::string>{" >> 004101BD", " >> 004101BD"}));
  EXPECT_EQ(Board(root, 4).Requests, 2u);
}

TEST(BoardCommandFrame, OverlongSendRouteIsCutTo64NibblesBeforeTheAddress) {
  Route longRoute;
  for (int i = 0; i < 70; ++i) longRoute.push_back(1);
  const Bytes frame = BoardCommandFrame(longRoute, 4, Bytes{0x09});
  // Direction, 65 nibbles in 33 bytes (the address alone in the last), payload.
  ASSERT_EQ(frame.size(), 1u + 33u + 1u);
  EXPECT_EQ(frame[32], 0x11);
  EXPECT_EQ(frame[33], 0x04);
  EXPECT_EQ(frame[34], 0x09);
}
