// Scenarios served over loopback, one server per root block.
// Addresses 127.0.0.203..207 belong to these tests, so parallel runs never collide.

#include <gtest/gtest.h>

#include "loopback_client.h"
#include "sim_network_servers.h"
#include "sim_test_support.h"

namespace varnel::sim {
namespace {

using namespace std::chrono_literals;
using loopback::Address;
using loopback::Client;

TEST(SimNetworkServers, EachRootServesItsOwnNetworkFromItsAddress) {
  NetworkServers servers(NetworksOrFail(
      "[root.x]\naddress=127.0.0.203\nid=1\nname=X\n"
      "[root.y]\naddress=127.0.0.204\nid=2\nname=Y\ntype=3\n"
      "[dev.a]\nmaster=x\nchannel=1\nup=1\nid=2\nname=A\ntype=2\n"));
  ASSERT_EQ(servers.Start(), "");
  Client near_x("127.0.0.203");
  Client near_y("127.0.0.204");
  const Bytes broadcast{0x00, 0x0F, 0xF0};
  const Bytes probe_channel_1{0x00, 0x11, 0xF0, 0x00, 0xFD};

  near_x.Send(broadcast, "127.0.0.203", kDevicePort);
  sockaddr_in from{};
  EXPECT_EQ(near_x.Receive(from), (Bytes{0x80, 0x01, 0x00, 0x01, 0x58, 0x25}));
  EXPECT_EQ(ntohs(from.sin_port), kDevicePort);
  EXPECT_EQ(from.sin_addr.s_addr, Address("127.0.0.203", 0).sin_addr.s_addr);
  near_x.Send(probe_channel_1, "127.0.0.203", kDevicePort);
  EXPECT_EQ(near_x.Receive(), (Bytes{0x80, 0x11, 0x20, 0x00, 0x01, 0x02, 0x41, 0x0A}));

  near_y.Send(broadcast, "127.0.0.204", kDevicePort);
  EXPECT_EQ(near_y.Receive(from), (Bytes{0x80, 0x02, 0x00, 0x03, 0x59, 0x21}));
  EXPECT_EQ(from.sin_addr.s_addr, Address("127.0.0.204", 0).sin_addr.s_addr);
  // a hangs below x, so y has nothing to say about x's channel 1.
  near_y.Send(probe_channel_1, "127.0.0.204", kDevicePort);
  ASSERT_TRUE(servers.ServerAt(1).WaitForRecord(3, 2s));
  EXPECT_TRUE(near_y.Receive(100).empty());
  // Received and sent, twice each; nothing else reached x.
  ASSERT_TRUE(servers.ServerAt(0).WaitForRecord(4, 2s));
  EXPECT_EQ(servers.ServerAt(0).Record().size(), 4u);
}

TEST(SimNetworkServers, DelayedAnswersDoNotHoldUpLaterRequests) {
  NetworkServers servers(NetworksOrFail(
      "[sim]\nhop_delay_ms=300\n"
      "[root.r]\naddress=127.0.0.205\nid=1\nname=R\n"
      "[dev.a]\nmaster=r\nchannel=1\nup=1\nid=2\nname=A\ntype=2\n"
      "[dev.b]\nmaster=r\nchannel=1\nup=2\nid=3\nname=B\ntype=2\n"));
  ASSERT_EQ(servers.Start(), "");
  Client client("127.0.0.205");
  const auto sent = std::chrono::steady_clock::now();
  client.Send({0x00, 0x11, 0xF0, 0x00, 0xFD}, "127.0.0.205", kDevicePort);
  client.Send({0x00, 0x0F, 0xF0}, "127.0.0.205", kDevicePort);
  // The root is on the Ethernet segment: its answer overtakes both HF answers.
  EXPECT_EQ(client.Receive(), (Bytes{0x80, 0x01, 0x00, 0x01, 0x52, 0x2B}));
  EXPECT_EQ(client.Receive(), (Bytes{0x80, 0x11, 0x20, 0x00, 0x01, 0x02, 0x41, 0x0A}));
  EXPECT_EQ(client.Receive(), (Bytes{0x80, 0x11, 0x30, 0x00, 0x02, 0x02, 0x42, 0xF7}));
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 300ms);
}

TEST(SimNetworkServers, AFailedStartNamesTheRootAndFreesTheOthers) {
  UdpServer occupant([](ByteView) { return Outcome{}; });
  ASSERT_EQ(occupant.Start("127.0.0.207", kDevicePort), "");
  NetworkServers servers(NetworksOrFail("[root.p]\naddress=127.0.0.206\nid=1\nname=P\n"
                                        "[root.q]\naddress=127.0.0.207\nid=1\nname=Q\n"));
  const std::string error = servers.Start();
  EXPECT_NE(error.find("root q"), std::string::npos) << error;
  EXPECT_FALSE(servers.ServerAt(0).IsRunning());
  occupant.Stop();
  EXPECT_EQ(servers.Start(), "");
}

}  // namespace
}  // namespace varnel::sim
