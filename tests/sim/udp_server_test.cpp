// The emulator's UDP server on loopback, talked to by a plain POSIX client.
// Addresses 127.0.0.201..202 belong to these tests, so parallel runs never collide.

#include <gtest/gtest.h>

#include "loopback_client.h"
#include "sim_emulator.h"
#include "sim_udp_server.h"

namespace varnel::sim {
namespace {

using namespace std::chrono_literals;
using loopback::Address;
using loopback::Client;

UdpServer::Handler RootBlockHandler(std::uint8_t id) {
  std::string error;
  auto emulator = std::make_shared<Emulator>(Block::Create({id, "Блок", 1}, error).value());
  return [emulator](ByteView request) { return emulator->Handle(request); };
}

TEST(SimUdpServer, AnswersFromItsOwnPortAndRecordsBothWays) {
  UdpServer server(RootBlockHandler(1));
  ASSERT_EQ(server.Start("127.0.0.201", kDevicePort), "");
  Client client("127.0.0.201");

  const Bytes bad_checksum{0x00, 0x0F, 0xF1};
  const Bytes broadcast{0x00, 0x0F, 0xF0};
  client.Send(bad_checksum, "127.0.0.201", kDevicePort);
  client.Send(broadcast, "127.0.0.201", kDevicePort);
  sockaddr_in from{};
  const Bytes answer = client.Receive(from);
  EXPECT_EQ(answer, (Bytes{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA, 0xF5}));
  // The program drops answers that do not come from the device port.
  EXPECT_EQ(ntohs(from.sin_port), kDevicePort);
  EXPECT_EQ(from.sin_addr.s_addr, Address("127.0.0.201", 0).sin_addr.s_addr);

  ASSERT_TRUE(server.WaitForRecord(3, 2s));
  const Peer client_peer{"127.0.0.201", client.Port()};
  const std::vector<TrafficEntry> record = server.Record();
  ASSERT_EQ(record.size(), 3u);
  EXPECT_EQ(record[0].direction, Direction::Received);
  EXPECT_EQ(record[0].bytes, bad_checksum);
  EXPECT_EQ(record[0].peer, client_peer);
  EXPECT_EQ(record[1].direction, Direction::Received);
  EXPECT_EQ(record[1].bytes, broadcast);
  EXPECT_EQ(record[2].direction, Direction::Sent);
  EXPECT_EQ(record[2].bytes, answer);
  EXPECT_EQ(record[2].peer, client_peer);
}

TEST(SimUdpServer, BusyPortIsRefusedUntilTheHolderStops) {
  UdpServer first(RootBlockHandler(1));
  ASSERT_EQ(first.Start("127.0.0.202", kDevicePort), "");
  {
    UdpServer refused(RootBlockHandler(2));
    EXPECT_NE(refused.Start("127.0.0.202", kDevicePort), "");
    EXPECT_FALSE(refused.IsRunning());
  }
  first.Stop();
  EXPECT_FALSE(first.IsRunning());
  {
    UdpServer second(RootBlockHandler(2));
    ASSERT_EQ(second.Start("127.0.0.202", kDevicePort), "") << "Stop must free the port";
  }  // the destructor stops the thread and frees the port too
  ASSERT_EQ(first.Start("127.0.0.202", kDevicePort), "");
  EXPECT_NE(UdpServer(RootBlockHandler(1)).Start("127.0.0.300", kDevicePort), "");
}

}  // namespace
}  // namespace varnel::sim
