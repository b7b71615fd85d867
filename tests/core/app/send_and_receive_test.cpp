#include "core_fakes.h"
#include "wire/frame.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

// The root at Route 1; every datagram sent or received is recorded.
class TransportTest : public LinkTest {
 protected:
  TBRDS& Board(int slot) { return link.registry.device(root).board(slot); }
  ReceiveQueue::Offer Offer(Bytes d, std::string_view ip, std::uint16_t port = 12348) {
    return link.Receive(d.data(), d.size(), ip, port);
  }
  ReceiveQueue::Offer FromPeer(Bytes d) { return Offer(std::move(d), link.settings.peerIp); }
  std::vector<Bytes> Drained() {
    std::vector<Bytes> out;
    link.queue.drain([&](const Bytes& d) { out.push_back(d); });
    return out;
  }

  const int root = AddDevice(Route{1}, Route{1});
};

}  // namespace

TEST_F(TransportTest, DatagramGoesToPeerBlockPortAndIsTraced) {
  link.settings.peerIp = "127.0.0.9";
  link.send.SendDatagram(Bytes{0x00, 0x0F, 0x12});  // sent as it is, checksum or not
  link.send.SendFrame(BroadcastIdentityRequest());
  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(std::tuple(sink.sent[0].bytes, sink.sent[0].host, sink.sent[0].port),
            std::tuple(Bytes{0x00, 0x0F, 0x12}, "127.0.0.9", 12348));
  EXPECT_EQ(sink.sent[1].bytes, (Bytes{0x00, 0x0F, 0xF0}));
  EXPECT_EQ(trace.lines, (Strings{"[10:20:30]  >> 000F12", "[10:20:30]  >> 000FF0"}));
}

TEST_F(TransportTest, BoardCommandPrefixesSendRouteAndBoardAddress) {
  const int far = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  // Root, modem board 0x04: nibbles 1, 4 -> 41; 0x41 + 0x01 = 0x42 -> BD.
  link.send.SendBoardCommand(root, 4, Bytes{0x01});
  // Behind channel 2, termination board 1 (0x05): 1, 2, 5 -> 21 05; sum 0x2D -> D2.
  link.send.SendBoardCommand(far, 1, Bytes{0x07});
  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x41, 0x01, 0xBD}));
  EXPECT_EQ(sink.sent[1].bytes, (Bytes{0x00, 0x21, 0x05, 0x07, 0xD2}));
  EXPECT_EQ(link.registry.device(far).board(1).Requests, 1u);
  EXPECT_EQ(link.registry.device(far).board(4).Requests, 0u);
}

TEST_F(TransportTest, SlotZeroSendsNothingInactiveEndpointStillTracesAndCounts) {
  link.send.SendBoardCommand(root, 0, Bytes{0x01});
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_TRUE(trace.lines.empty());
  sink.active = false;
  link.send.SendBoardCommand(root, 4, Bytes{0x01});
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(trace.messages(), Strings{" >> 004101BD"});
  EXPECT_EQ(Board(4).Requests, 1u);
}

TEST(BoardCommandFrame, OverlongSendRouteIsCutTo64NibblesBeforeTheAddress) {
  Route longRoute;
  for (int i = 0; i < 70; ++i) longRoute.push_back(1);
  const Bytes frame = BoardCommandFrame(longRoute, 4, Bytes{0x09});
  // Direction, 65 nibbles in 33 bytes (the address alone in the last), payload.
  ASSERT_EQ(frame.size(), 1u + 33u + 1u);
  EXPECT_EQ(Bytes(frame.begin() + 32, frame.end()), (Bytes{0x11, 0x04, 0x09}));
}

TEST_F(TransportTest, ForeignSendersAreDroppedAndTracedOnlyInDebug) {
  link.settings.peerIp = "192.168.0.7";
  EXPECT_EQ(Offer({0x80}, "192.168.0.8"), ReceiveQueue::Offer::Foreign);
  EXPECT_TRUE(trace.lines.empty());
  link.trace.setDebug(true);
  EXPECT_EQ(Offer({0x80}, "192.168.0.7", 12347), ReceiveQueue::Offer::Foreign);
  EXPECT_EQ(trace.messages(), Strings{"  <<Remote 192.168.0.7:12347"});
  // After a change of peer the old peer is foreign too.
  EXPECT_EQ(FromPeer({0x01}), ReceiveQueue::Offer::Queued);
  link.settings.peerIp = "192.168.0.9";
  EXPECT_EQ(Offer({0x02}, "192.168.0.7"), ReceiveQueue::Offer::Foreign);
  EXPECT_EQ(Drained(), std::vector<Bytes>{Bytes{0x01}});
}

TEST_F(TransportTest, SeventeenthDatagramOverflowsFirstSixteenDrainInOrder) {
  std::vector<Bytes> sent;
  for (std::uint8_t i = 1; i <= 16; ++i) {
    sent.push_back(Bytes(i, i));  // distinct lengths catch slot mix-ups too
    ASSERT_EQ(FromPeer(sent.back()), ReceiveQueue::Offer::Queued);
  }
  EXPECT_EQ(FromPeer({0x17}), ReceiveQueue::Offer::Overflow);
  EXPECT_EQ(trace.messages(), Strings{"Udp err ovfl"});
  EXPECT_EQ(Drained(), sent);
  // Emptied slots are filled again; nothing of the last round comes back.
  FromPeer({0xAA});
  EXPECT_EQ(Drained(), std::vector<Bytes>{Bytes{0xAA}});
}

TEST_F(TransportTest, AnswersReachTheDispatcherOnlyOnDrain) {
  link.request = RequestState{root, 0, 4, 0, 0x01, kReadRequest};
  FromPeer(Sealed({0x80, 0x41, 0x01, 0x0A}));
  FromPeer(Sealed({0x80, 0x41, 0x01, 0x0A}));
  EXPECT_TRUE(handlers.calls.empty());
  link.Drain();
  EXPECT_EQ(handlers.calls.size(), 2u);
}

TEST_F(TransportTest, ClockAndTrafficPanels) {
  EXPECT_EQ(link.ClockPanelText(), "10:20:30   07.03.2024");
  EXPECT_EQ(link.TrafficPanelText(), "");  // no board selected
  link.request.currentDevice = root;
  link.request.selectedSlot = 4;
  Board(4).Requests = 12, Board(4).Answers = 7;
  EXPECT_EQ(link.TrafficPanelText(), "ВК20       Запросов:12 Ответов:7");  // ten-character label, one blank
}
