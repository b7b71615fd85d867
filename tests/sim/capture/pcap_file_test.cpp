// The capture file: the IPv4 and UDP headers built around each datagram, the
// pcap framing, and a capture of real loopback traffic. Addresses
// 127.0.0.120..122 belong to these tests.

#include <gtest/gtest.h>

#include <cstring>

#include "udp/loopback_client.h"
#include "sim/capture/capture_file.h"
#include "sim/capture/pcap_file.h"
#include "sim/udp/network_servers.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

using namespace std::chrono_literals;

std::uint32_t Native32(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

// The one's-complement sum over a range with its checksum in place is 0xFFFF.
std::uint32_t OnesSum(const Bytes& bytes, std::uint32_t sum = 0) {
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    sum += static_cast<std::uint32_t>(bytes[i]) << 8 | (i + 1 < bytes.size() ? bytes[i + 1] : 0);
  }
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return sum;
}

TEST(PcapFile, PacketCarriesTheDatagramBetweenBothEndsWithValidChecksums) {
  const Bytes broadcast{0x00, 0x0F, 0xF0};
  const std::optional<Bytes> packet =
      Ipv4UdpPacket({"127.0.0.120", 12347}, {"127.0.0.121", 12348}, broadcast);
  ASSERT_TRUE(packet);
  // Worked out by hand: 31 bytes, TTL 64, UDP, both checksums.
  const Bytes expected{0x45, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x40, 0x00, 0x40, 0x11, 0x3B,
                       0xDD, 0x7F, 0x00, 0x00, 0x78, 0x7F, 0x00, 0x00, 0x79, 0x30, 0x3B,
                       0x30, 0x3C, 0x00, 0x0B, 0xB0, 0x5F, 0x00, 0x0F, 0xF0};
  EXPECT_EQ(*packet, expected);

  // Odd and even payload lengths both check out, header and pseudo header alike.
  for (const Bytes& payload : {Bytes{}, Bytes(999, 0xFF)}) {
    const Bytes p = *Ipv4UdpPacket({"10.1.2.3", 40000}, {"192.168.250.1", 12348}, payload);
    ASSERT_EQ(p.size(), 28 + payload.size());
    EXPECT_EQ(OnesSum(Bytes(p.begin(), p.begin() + 20)), 0xFFFFu);
    const Bytes pseudo{10, 1, 2, 3, 192, 168, 250, 1, 0, 17, p[24], p[25]};
    EXPECT_EQ(OnesSum(Bytes(p.begin() + 20, p.end()), OnesSum(pseudo)), 0xFFFFu) << payload.size();
    EXPECT_EQ(Bytes(p.begin() + 28, p.end()), payload);
  }
}

TEST(PcapFile, RefusesWhatCannotBeOnePacket) {
  EXPECT_FALSE(Ipv4UdpPacket({"localhost", 1}, {"127.0.0.1", 2}, Bytes{1}));
  EXPECT_FALSE(Ipv4UdpPacket({"127.0.0.1", 1}, {"::1", 2}, Bytes{1}));
  EXPECT_FALSE(Ipv4UdpPacket({"127.0.0.1", 1}, {"127.0.0.256", 2}, Bytes{1}));
  EXPECT_FALSE(Ipv4UdpPacket({"127.0.0.1", 1}, {"127.0.0.2", 2}, Bytes(kMaxUdpPayload + 1)));
  const std::optional<Bytes> largest = Ipv4UdpPacket({"127.0.0.1", 1}, {"127.0.0.2", 2}, Bytes(kMaxUdpPayload));
  ASSERT_TRUE(largest);
  EXPECT_EQ((*largest)[2] << 8 | (*largest)[3], 65535);
}

TEST(PcapFile, HeaderAndRecordFraming) {
  const Bytes header = PcapFileHeader();
  ASSERT_EQ(header.size(), 24u);
  EXPECT_EQ(Native32(header, 0), 0xA1B2C3D4u);
  EXPECT_EQ(Native32(header, 16), 65535u);
  EXPECT_EQ(Native32(header, 20), 228u);

  const auto stamp = std::chrono::system_clock::time_point(1'700'000'123'456'789us);
  const Bytes record = PcapRecord(stamp, Bytes{1, 2, 3, 4, 5});
  ASSERT_EQ(record.size(), 21u);
  EXPECT_EQ(Native32(record, 0), 1'700'000'123u);
  EXPECT_EQ(Native32(record, 4), 456'789u);
  EXPECT_EQ(Native32(record, 8), 5u);
  EXPECT_EQ(Native32(record, 12), 5u);
  EXPECT_EQ(Bytes(record.begin() + 16, record.end()), (Bytes{1, 2, 3, 4, 5}));
}

TEST(CaptureFile, RequestsAndAnswersOfEveryRootGoToOneFileInBothDirections) {
  const TempDir dir;
  NetworkServers servers(NetworksOrFail("[root.x]\naddress=127.0.0.121\nid=1\nname=X\n"
                                        "[root.y]\naddress=127.0.0.122\nid=2\nname=Y\n"));
  CaptureFile capture;
  const std::string path = dir.Path() + "/traffic.pcap";
  ASSERT_EQ(capture.Open(path), "");
  servers.SetTap([&capture](const TrafficEntry& entry, const Peer& local) { EXPECT_TRUE(capture.Add(entry, local)); });
  ASSERT_EQ(servers.Start(21348), "");

  loopback::Client client("127.0.0.120");
  const Bytes broadcast{0x00, 0x0F, 0xF0};
  client.Send(broadcast, "127.0.0.121", 21348);
  const Bytes answer = client.Receive();
  ASSERT_FALSE(answer.empty());
  // The servers run on threads of their own: x's answer is recorded first.
  ASSERT_TRUE(servers.ServerAt(0).WaitForRecord(2, 2s));
  client.Send(broadcast, "127.0.0.122", 21348);
  ASSERT_FALSE(client.Receive().empty());
  ASSERT_TRUE(servers.ServerAt(1).WaitForRecord(2, 2s));
  servers.Stop();

  const Bytes file = FileBytes(path);
  std::vector<Bytes> packets;
  for (std::size_t at = 24; at + 16 <= file.size();) {
    const std::uint32_t length = Native32(file, at + 8);
    ASSERT_LE(at + 16 + length, file.size());
    packets.emplace_back(file.begin() + at + 16, file.begin() + at + 16 + length);
    at += 16 + length;
  }
  ASSERT_EQ(packets.size(), 4u);
  // Request: client to block; answer: block's port back to the client's.
  const std::uint16_t port = client.Port();
  const auto ends = [](const Bytes& p) {
    return std::tuple(p[15], p[19], p[20] << 8 | p[21], p[22] << 8 | p[23]);
  };
  EXPECT_EQ(ends(packets[0]), std::tuple(120, 121, int(port), 21348));
  EXPECT_EQ(ends(packets[1]), std::tuple(121, 120, 21348, int(port)));
  EXPECT_EQ(Bytes(packets[1].begin() + 28, packets[1].end()), answer);
  EXPECT_EQ(ends(packets[2]), std::tuple(120, 122, int(port), 21348));
  EXPECT_EQ(ends(packets[3]), std::tuple(122, 120, 21348, int(port)));
}

TEST(CaptureFile, UnwritablePlaceIsReportedAndNothingIsAdded) {
  const TempDir dir;
  CaptureFile capture;
  EXPECT_NE(capture.Open(dir.Path() + "/absent/traffic.pcap"), "");
  EXPECT_FALSE(capture.Add({Direction::Received, {"127.0.0.1", 1}, Bytes{1}}, {"127.0.0.2", 2}));
}

}  // namespace
}  // namespace varnel::sim
