#include "sim/boards/power.h"

#include "sim/boards/reply.h"

namespace varnel::sim {

namespace {

constexpr std::string_view kBoard = "power";
constexpr std::uint8_t kStatus = 0x01;
constexpr std::uint8_t kVersion = 3;
constexpr std::uint16_t kDeciVolts = 480;  // 48.0 V, big-endian

}  // namespace

CommandReply PowerBoard::Command(ByteView payload) {
  const bool read = payload.size() == 1;
  const bool write = payload.size() == 2 && payload[1] == 0x00;
  if (payload.front() != kStatus || !(read || write)) {
    return BoardIgnored(kBoard, payload, "expected 01 or 01 00");
  }
  Bytes body{kStatus, kVersion};
  AppendBig16(body, kDeciVolts);
  return BoardAnswer(kBoard, std::move(body), "status");
}

}  // namespace varnel::sim
