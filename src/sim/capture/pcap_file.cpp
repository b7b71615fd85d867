#include "sim/capture/pcap_file.h"

#include <arpa/inet.h>

#include <cstring>

namespace varnel::sim {

namespace {

constexpr std::uint32_t kMagicMicroseconds = 0xA1B2C3D4;
constexpr std::uint8_t kIpv4HeaderLength = 20;
constexpr std::uint8_t kUdpHeaderLength = 8;
constexpr std::uint8_t kProtocolUdp = 17;
constexpr std::uint8_t kTimeToLive = 64;
constexpr std::uint32_t kSnapLength = 65535;

// Host order, as the file header promises through its magic number.
void AppendNative(Bytes& bytes, std::uint32_t value) {
  std::uint8_t raw[4];
  std::memcpy(raw, &value, sizeof raw);
  bytes.insert(bytes.end(), raw, raw + sizeof raw);
}

void AppendNative16(Bytes& bytes, std::uint16_t value) {
  std::uint8_t raw[2];
  std::memcpy(raw, &value, sizeof raw);
  bytes.insert(bytes.end(), raw, raw + sizeof raw);
}

std::optional<std::uint32_t> AddressOf(const std::string& text) {
  in_addr address{};
  if (inet_pton(AF_INET, text.c_str(), &address) != 1) return std::nullopt;
  return ntohl(address.s_addr);
}

// The Internet checksum: one's-complement sum of 16-bit big-endian words.
std::uint32_t SumWords(ByteView bytes, std::uint32_t sum = 0) {
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const std::uint32_t high = bytes[i];
    const std::uint32_t low = i + 1 < bytes.size() ? bytes[i + 1] : 0;
    sum += high << 8 | low;
  }
  return sum;
}

std::uint16_t Fold(std::uint32_t sum) {
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

void Put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<std::uint8_t>(value);
}

}  // namespace

Bytes PcapFileHeader() {
  Bytes header;
  AppendNative(header, kMagicMicroseconds);
  AppendNative16(header, 2);  // format version 2.4
  AppendNative16(header, 4);
  AppendNative(header, 0);  // stamps in UTC
  AppendNative(header, 0);  // stamp accuracy, unused
  AppendNative(header, kSnapLength);
  AppendNative(header, kLinkTypeIpv4);
  return header;
}

std::optional<Bytes> Ipv4UdpPacket(const Peer& from, const Peer& to, ByteView payload) {
  const std::optional<std::uint32_t> source = AddressOf(from.address);
  const std::optional<std::uint32_t> destination = AddressOf(to.address);
  if (!source || !destination || payload.size() > kMaxUdpPayload) return std::nullopt;
  const auto udpLength = static_cast<std::uint16_t>(kUdpHeaderLength + payload.size());
  const auto totalLength = static_cast<std::uint16_t>(kIpv4HeaderLength + udpLength);

  Bytes packet{0x45, 0x00};  // version 4, five header words; no service class
  AppendBig16(packet, totalLength);
  AppendBig16(packet, 0);       // identification
  AppendBig16(packet, 0x4000);  // don't fragment
  packet.push_back(kTimeToLive);
  packet.push_back(kProtocolUdp);
  AppendBig16(packet, 0);  // header checksum, filled below
  AppendBig32(packet, *source);
  AppendBig32(packet, *destination);
  Put16(packet, 10, Fold(SumWords(packet)));

  AppendBig16(packet, from.port);
  AppendBig16(packet, to.port);
  AppendBig16(packet, udpLength);
  AppendBig16(packet, 0);  // UDP checksum, filled below
  packet.insert(packet.end(), payload.begin(), payload.end());

  // The UDP checksum covers a pseudo header: addresses, protocol, UDP length.
  Bytes pseudo;
  AppendBig32(pseudo, *source);
  AppendBig32(pseudo, *destination);
  AppendBig16(pseudo, kProtocolUdp);
  AppendBig16(pseudo, udpLength);
  const ByteView udp = ByteView(packet).subspan(kIpv4HeaderLength);
  std::uint16_t checksum = Fold(SumWords(udp, SumWords(pseudo)));
  if (checksum == 0) checksum = 0xFFFF;  // 0 would mean "no checksum"
  Put16(packet, kIpv4HeaderLength + 6, checksum);
  return packet;
}

Bytes PcapRecord(std::chrono::system_clock::time_point stamp, ByteView packet) {
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(stamp.time_since_epoch()).count();
  Bytes record;
  AppendNative(record, static_cast<std::uint32_t>(micros / 1000000));
  AppendNative(record, static_cast<std::uint32_t>(micros % 1000000));
  AppendNative(record, static_cast<std::uint32_t>(packet.size()));
  AppendNative(record, static_cast<std::uint32_t>(packet.size()));
  record.insert(record.end(), packet.begin(), packet.end());
  return record;
}

}  // namespace varnel::sim
