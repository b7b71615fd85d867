#pragma once
// Datagrams as a classic pcap capture that packet analysers read: each record
// holds an IPv4 header and a UDP header built here around the payload, since
// the emulator only ever sees the payload of its sockets.

#include <chrono>
#include <optional>

#include "sim/udp/peer.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

// Raw IPv4: a record starts with the IPv4 header, no link-layer header.
inline constexpr std::uint32_t kLinkTypeIpv4 = 228;
// The most a UDP payload can carry inside one IPv4 packet.
inline constexpr std::size_t kMaxUdpPayload = 65507;

// The 24-byte file header: microsecond stamps, native byte order, as analysers
// detect either order from the magic number.
Bytes PcapFileHeader();

// IPv4 and UDP headers with valid checksums around payload; nothing when an
// address is not dotted IPv4 or the payload cannot fit one packet.
std::optional<Bytes> Ipv4UdpPacket(const Peer& from, const Peer& to, ByteView payload);

// One record: its 16-byte header (stamp, lengths) and the packet.
Bytes PcapRecord(std::chrono::system_clock::time_point stamp, ByteView packet);

}  // namespace varnel::sim
