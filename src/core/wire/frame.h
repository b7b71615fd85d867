#pragma once
// One datagram = one Frame: direction byte (0x00 request, 0x80 answer),
// address nibbles packed two per byte (first nibble low), payload, checksum.

#include <string>

#include "wire/byte_utils.h"
#include "wire/route.h"

namespace varnel {

constexpr std::uint8_t kRequestDirection = 0x00;
constexpr std::uint8_t kAnswerDirection = 0x80;
constexpr std::uint8_t kAnyDevice = 0x0F;
// Every block listens on this UDP port and answers from it.
constexpr std::uint16_t kDevicePort = 12348;

// Complemented one's-complement sum with end-around carry: a frame with its
// own checksum appended sums to a checksum of 0.
std::uint8_t FrameChecksum(const std::uint8_t* data, std::size_t n);
std::uint8_t FrameChecksum(const Bytes& data);

// Odd length gets one 0 nibble at the end; only the low 4 bits count.
Bytes PackNibbles(const Route& nibbles);
void AppendPackedNibbles(const Route& nibbles, Bytes& out);
// ".1.2.A" for the nibbles 1, 2, 10.
std::string NibblesToText(const Route& nibbles);

enum class AnswerCheck { TooShort, NotAnswer, BadChecksum, Ok };
// The checks every received datagram passes before route matching.
AnswerCheck CheckAnswer(const std::uint8_t* data, std::size_t n);

// Requests without payload that the network side composes.
Bytes OpenBlockRequest(const Route& idRoute);           // ID Route, 0
Bytes SideProbeRequest(const Route& sendRoute, int side);  // send Route, side, 0, 15, 0
Bytes BroadcastIdentityRequest();                       // 15, 0

}  // namespace varnel
