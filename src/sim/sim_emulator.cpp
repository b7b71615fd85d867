#include "sim_emulator.h"

#include "sim_frame.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kAnyDevice = 15;
constexpr std::uint8_t kTerminator = 0;

std::string HexByte(std::uint8_t b) {
  return HexText(ByteView(&b, 1));
}

Outcome Silent(std::string note) {
  return {std::nullopt, std::move(note)};
}

}  // namespace

Emulator::Emulator(Block root) : root_(std::move(root)) {}

Outcome Emulator::Handle(ByteView datagram) const {
  const CheckedRequest request = CheckRequest(datagram);
  if (request.fault != FrameFault::None) {
    return Silent("ignored: " + std::string(FaultText(request.fault)));
  }
  // The first address byte holds the first hop: who is meant, then what follows.
  const std::uint8_t first = request.content[0] & 0x0F;
  const std::uint8_t next = request.content[0] >> 4;
  if (first != kAnyDevice && first != root_.Id()) {
    return Silent("not for block " + std::to_string(root_.Id()) + " (first nibble " +
                  std::to_string(first) + ")");
  }
  if (next == kTerminator) return HandleDeviceLevel(first, request.content.subspan(1));
  if (next <= 3) return Silent("channel " + std::to_string(next) + " request: not emulated yet");
  if (next < kAnyDevice) return Silent("board " + HexByte(next) + " request: not emulated yet");
  return Silent("ignored: no device or board follows the first nibble");
}

Outcome Emulator::HandleDeviceLevel(std::uint8_t first_nibble, ByteView payload) const {
  if (!payload.empty()) {
    return Silent("device command " + HexByte(payload.front()) + ": not emulated yet");
  }
  const Bytes body = root_.IdentityBody(kUpSideEthernet);
  return {BuildAnswer({root_.Id(), kTerminator}, body),
          first_nibble == kAnyDevice ? "identity (broadcast)" : "identity (open block)"};
}

}  // namespace varnel::sim
