#pragma once
// Frame checks and framing from the block's side: requests in, answers out.

#include <string_view>

#include "sim/wire/nibbles.h"

namespace varnel::sim {

inline constexpr std::uint8_t kRequestDirection = 0x00;
inline constexpr std::uint8_t kAnswerDirection = 0x80;

enum class FrameFault { None, TooShort, NotRequest, BadChecksum };

struct CheckedRequest {
  FrameFault fault = FrameFault::None;
  ByteView content;  // address part and payload, without direction byte and checksum
};

// Direction byte, at least one address byte and the checksum, or a fault.
CheckedRequest CheckRequest(ByteView datagram);
std::string_view FaultText(FrameFault fault);

// 0x80, the packed address nibbles, the body, the checksum.
Bytes BuildAnswer(const Nibbles& nibbles, ByteView body);

}  // namespace varnel::sim
