#include "sim/boards/flash_command.h"

#include <algorithm>

#include "sim/boards/reply.h"
#include "sim/wire/crc.h"

namespace varnel::sim {

namespace {

constexpr std::size_t kHead = 4;         // command and three address bytes
constexpr std::size_t kReadRequest = 5;  // the head and the length byte
constexpr std::size_t kBlockUnit = 4;    // a read asks for whole units of 4 bytes
constexpr std::size_t kMaxBlock = 1024;  // 256 units, the most one length byte asks
constexpr std::size_t kShownBytes = 8;   // of a request too long to print whole
constexpr std::uint8_t kLastBlock = 0x80;

std::string HexAddress(std::uint32_t address) { return HexValue(address, 6); }

std::uint32_t Address(ByteView payload, std::uint8_t first_mask) {
  return static_cast<std::uint32_t>(payload[1] & first_mask) << 16 |
         static_cast<std::uint32_t>(payload[2]) << 8 | payload[3];
}

CommandReply Ignored(std::string_view board, ByteView payload, const std::string& why) {
  return BoardIgnored(board, payload.first(std::min(payload.size(), kShownBytes)),
                      "flash request of " + std::to_string(payload.size()) + " bytes: " + why);
}

FlashOutcome Read(const FlashMemory& flash, std::string_view board, ByteView payload) {
  const std::uint32_t address = Address(payload, 0xFF);
  const std::size_t count = (payload[4] + 1u) * kBlockUnit;
  if (!FlashMemory::Fits(address, count)) return {Ignored(board, payload, "read past 0xFFFFF")};
  Bytes body(payload.begin(), payload.begin() + kHead);
  const Bytes data = flash.Read(address, count);
  body.insert(body.end(), data.begin(), data.end());
  body.push_back(Crc8(ByteView(body).subspan(1)));
  return {
      BoardAnswer(board, std::move(body),
                  "flash read " + HexAddress(address) + ", " + std::to_string(count) + " bytes")};
}

FlashOutcome Write(FlashMemory& flash, std::string_view board, ByteView payload) {
  const std::uint32_t address = Address(payload, static_cast<std::uint8_t>(~kLastBlock));
  const ByteView block = payload.subspan(kHead, payload.size() - kHead - 1);
  if (!FlashMemory::Fits(address, block.size())) {
    return {Ignored(board, payload, "write past 0xFFFFF refused")};
  }
  const std::uint8_t crc = Crc8(payload.subspan(1, payload.size() - 2));
  Bytes ack(payload.begin(), payload.begin() + kHead);
  ack.push_back(crc);
  std::string note = "flash write " + HexAddress(address) + ", " + std::to_string(block.size()) +
                     " bytes" + ((payload[1] & kLastBlock) != 0 ? ", last block" : "");
  if (crc != payload.back()) {
    note += ": CRC " + HexValue(payload.back(), 2) + " sent, " + HexValue(crc, 2) +
            " computed, not stored";
    return {BoardAnswer(board, std::move(ack), note)};
  }
  flash.Write(address, block);
  return {BoardAnswer(board, std::move(ack), note + ", stored"), address, block.size()};
}

}  // namespace

FlashOutcome FlashRequest(FlashMemory& flash, std::string_view board, ByteView payload) {
  if (payload.size() == kReadRequest) return Read(flash, board, payload);
  const std::size_t block = payload.size() > kReadRequest ? payload.size() - kReadRequest : 0;
  if (block > 0 && block <= kMaxBlock && block % kBlockUnit == 0) {
    return Write(flash, board, payload);
  }
  return {Ignored(board, payload, "a read is 5 bytes, a write 5 and a block of 4..1024 in 4s")};
}

}  // namespace varnel::sim
