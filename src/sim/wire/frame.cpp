#include "sim/wire/frame.h"

#include "sim/wire/checksum.h"
#include "sim/wire/nibbles.h"

namespace varnel::sim {

CheckedRequest CheckRequest(ByteView datagram) {
  if (datagram.size() < 3) return {FrameFault::TooShort, {}};
  if (datagram.front() != kRequestDirection) return {FrameFault::NotRequest, {}};
  if (FrameChecksum(datagram) != 0) return {FrameFault::BadChecksum, {}};
  return {FrameFault::None, datagram.subspan(1, datagram.size() - 2)};
}

std::string_view FaultText(FrameFault fault) {
  switch (fault) {
    case FrameFault::None: return "ok";
    case FrameFault::TooShort: return "shorter than 3 bytes";
    case FrameFault::NotRequest: return "direction byte is not 00";
    case FrameFault::BadChecksum: return "bad checksum";
  }
  return "unknown fault";
}

Bytes BuildAnswer(const Nibbles& nibbles, ByteView body) {
  Bytes frame{kAnswerDirection};
  const Bytes address = PackNibbles(nibbles);
  frame.insert(frame.end(), address.begin(), address.end());
  frame.insert(frame.end(), body.begin(), body.end());
  frame.push_back(FrameChecksum(frame));
  return frame;
}

}  // namespace varnel::sim
