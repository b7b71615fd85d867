#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class ReceiveQueueTest : public LinkTest {
 protected:
  ReceiveQueue::Offer Offer(Bytes d, std::string_view ip, std::uint16_t port) {
    return link.Receive(d.data(), d.size(), ip, port);
  }
  ReceiveQueue::Offer FromPeer(Bytes d) { return Offer(std::move(d), link.settings.peerIp, 12348); }
  std::vector<Bytes> Drained() {
    std::vector<Bytes> out;
    link.queue.drain([&](const Bytes& d) { out.push_back(d); });
    return out;
  }
};

}  // namespace

TEST_F(ReceiveQueueTest, ForeignSendersAreDroppedAndTracedOnlyInDebug) {
  link.settings.peerIp = "192.168.0.7";
  EXPECT_EQ(Offer({0x80}, "192.168.0.8", 12348), ReceiveQueue::Offer::Foreign);
  EXPECT_EQ(Offer({0x80}, "192.168.0.7", 12347), ReceiveQueue::Offer::Foreign);
  EXPECT_TRUE(trace.lines.empty());

  link.trace.setDebug(true);
  Offer({0x80}, "192.168.0.8", 12348);
  Offer({0x80}, "192.168.0.7", 12347);
  EXPECT_EQ(trace.messages(), (std::vector<std::string>{"  <<Remote 192.168.0.8:12348",
                                                        "  <<Remote 192.168.0.7:12347"}));
  EXPECT_EQ(link.queue.count(), 0);

  // After a change of peer the old peer is foreign too.
  EXPECT_EQ(FromPeer({0x01}), ReceiveQueue::Offer::Queued);
  link.settings.peerIp = "192.168.0.9";
  EXPECT_EQ(Offer({0x02}, "192.168.0.7", 12348), ReceiveQueue::Offer::Foreign);
  EXPECT_EQ(Drained(), std::vector<Bytes>{Bytes{0x01}});
}

TEST_F(ReceiveQueueTest, SeventeenthDatagramOverflowsFirstSixteenDrainInOrder) {
  std::vector<Bytes> sent;
  for (std::uint8_t i = 1; i <= 16; ++i) {
    sent.push_back(Bytes(i, i));  // distinct lengths catch slot mix-ups too
    ASSERT_EQ(FromPeer(sent.back()), ReceiveQueue::Offer::Queued);
  }
  EXPECT_EQ(FromPeer({0x17}), ReceiveQueue::Offer::Overflow);
  EXPECT_EQ(trace.messages(), std::vector<std::string>{"Udp err ovfl"});

  EXPECT_EQ(Drained(), sent);
  EXPECT_EQ(link.queue.count(), 0);
  EXPECT_TRUE(Drained().empty());

  // Emptied slots are filled again; nothing of the last round comes back.
  FromPeer({0xAA});
  EXPECT_EQ(Drained(), std::vector<Bytes>{Bytes{0xAA}});
}

TEST_F(ReceiveQueueTest, AnswersReachTheDispatcherOnlyOnDrain) {
  const int root = AddDevice(Route{1}, Route{1});
  link.request = RequestState{root, 0, 4, 0, 0x01, kReadRequest};
  Bytes answer{0x80, 0x41, 0x01, 0x0A};
  answer.push_back(FrameChecksum(answer));
  FromPeer(answer);
  FromPeer(answer);
  EXPECT_TRUE(handlers.calls.empty());
  link.Drain();
  EXPECT_EQ(handlers.calls.size(), 2u);
  EXPECT_EQ(link.registry.device(root).board(4).Answers, 2u);
}
