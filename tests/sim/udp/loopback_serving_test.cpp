// Scenarios served over loopback, one UDP server per root block, talked to by a plain
// POSIX client. Addresses 127.0.0.201..204 belong to these tests, so runs never collide.

#include <gtest/gtest.h>

#include "loopback_client.h"
#include "sim/udp/network_servers.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

using namespace std::chrono_literals;
using loopback::Address;
using loopback::Client;

TEST(SimLoopback, EachRootAnswersFromItsOwnAddressAndPortAndHfAnswersWait) {
  NetworkServers servers(NetworksOrFail(
      "[sim]\nhop_delay_ms=200\n"
      "[root.x]\naddress=127.0.0.201\nid=1\nname=X\n"
      "[root.y]\naddress=127.0.0.202\nid=2\nname=Y\ntype=3\n"
      "[dev.a]\nmaster=x\nchannel=1\nup=1\nid=2\nname=A\ntype=2\n"));
  ASSERT_EQ(servers.Start(), "");
  Client near_x("127.0.0.201");
  Client near_y("127.0.0.202");
  const Bytes bad_checksum{0x00, 0x0F, 0xF1};
  const Bytes probe_channel_1{0x00, 0x11, 0xF0, 0x00, 0xFD};
  const Bytes broadcast{0x00, 0x0F, 0xF0};

  const auto sent = std::chrono::steady_clock::now();
  near_x.Send(bad_checksum, "127.0.0.201", kDevicePort);
  near_x.Send(probe_channel_1, "127.0.0.201", kDevicePort);
  near_x.Send(broadcast, "127.0.0.201", kDevicePort);
  // The root is on the Ethernet segment: its answer overtakes the one from behind a link.
  sockaddr_in from{};
  EXPECT_EQ(near_x.Receive(&from), (Bytes{0x80, 0x01, 0x00, 0x01, 0x58, 0x25}));
  // The program drops answers that do not come from the device port.
  EXPECT_EQ(ntohs(from.sin_port), kDevicePort);
  EXPECT_EQ(from.sin_addr.s_addr, Address("127.0.0.201", 0).sin_addr.s_addr);
  const Bytes delayed = near_x.Receive();
  EXPECT_EQ(delayed, (Bytes{0x80, 0x11, 0x20, 0x00, 0x01, 0x02, 0x41, 0x0A}));
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 200ms);

  // y serves its own network only: a hangs below x.
  near_y.Send(probe_channel_1, "127.0.0.202", kDevicePort);
  near_y.Send(broadcast, "127.0.0.202", kDevicePort);
  EXPECT_EQ(near_y.Receive(&from), (Bytes{0x80, 0x02, 0x00, 0x03, 0x59, 0x21}));
  EXPECT_EQ(from.sin_addr.s_addr, Address("127.0.0.202", 0).sin_addr.s_addr);
  EXPECT_TRUE(near_y.Receive(nullptr, 100).empty());

  // Three received, two sent; nothing of y's traffic reached x.
  ASSERT_TRUE(servers.ServerAt(0).WaitForRecord(5, 2s));
  const std::vector<TrafficEntry> record = servers.ServerAt(0).Record();
  ASSERT_EQ(record.size(), 5u);
  const Peer client{"127.0.0.201", near_x.Port()};
  EXPECT_EQ(record[0].direction, Direction::Received);
  EXPECT_EQ(record[0].bytes, bad_checksum);
  EXPECT_EQ(record[0].peer, client);
  EXPECT_EQ(record[4].direction, Direction::Sent);
  EXPECT_EQ(record[4].bytes, delayed);
  EXPECT_EQ(record[4].peer, client);
}

TEST(SimLoopback, AFailedStartNamesTheRootAndFreesTheOthers) {
  UdpServer occupant([](ByteView) { return Outcome{}; });
  ASSERT_EQ(occupant.Start("127.0.0.204", kDevicePort), "");
  NetworkServers servers(NetworksOrFail("[root.p]\naddress=127.0.0.203\nid=1\nname=P\n"
                                        "[root.q]\naddress=127.0.0.204\nid=1\nname=Q\n"));
  const std::string error = servers.Start();
  EXPECT_NE(error.find("root q"), std::string::npos) << error;
  EXPECT_FALSE(servers.ServerAt(0).IsRunning());
  occupant.Stop();
  EXPECT_FALSE(occupant.IsRunning());
  EXPECT_EQ(servers.Start(), "") << "Stop must free every port";
  EXPECT_NE(UdpServer([](ByteView) { return Outcome{}; }).Start("127.0.0.300"), "");
}

}  // namespace
}  // namespace varnel::sim
