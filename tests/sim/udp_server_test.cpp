// The emulator's UDP server on loopback, talked to by a plain POSIX client.
// Addresses 127.0.0.201..202 belong to these tests, so parallel runs never collide.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sim_emulator.h"
#include "sim_udp_server.h"

namespace varnel::sim {
namespace {

using namespace std::chrono_literals;

sockaddr_in Address(const char* ip, std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  inet_pton(AF_INET, ip, &address.sin_addr);
  return address;
}

// A client on an ephemeral port, as the program would be.
class Client {
 public:
  explicit Client(const char* ip) : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in local = Address(ip, 0);
    EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    socklen_t length = sizeof local;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
  }
  ~Client() { close(fd_); }

  std::uint16_t Port() const { return port_; }

  void Send(const Bytes& bytes, const char* ip, std::uint16_t port) {
    const sockaddr_in to = Address(ip, port);
    ASSERT_EQ(sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                     sizeof to),
              static_cast<ssize_t>(bytes.size()));
  }

  // Empty when nothing arrives in time.
  Bytes Receive(sockaddr_in& from) {
    pollfd fd{fd_, POLLIN, 0};
    if (poll(&fd, 1, 2000) != 1) return {};
    Bytes buffer(2048);
    socklen_t length = sizeof from;
    const ssize_t n = recvfrom(fd_, buffer.data(), buffer.size(), 0,
                               reinterpret_cast<sockaddr*>(&from), &length);
    buffer.resize(n > 0 ? n : 0);
    return buffer;
  }

 private:
  int fd_;
  std::uint16_t port_ = 0;
};

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
