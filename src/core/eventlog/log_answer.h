#pragma once
// The modem board's event log on the wire. Entries sit in a ring of 4096
// slots addressed by 12-bit indices; a request asks for 2^m entries from an
// index, and every answer says where the board will write next.

#include <cstdint>
#include <optional>
#include <vector>

#include "wire/byte_utils.h"

namespace varnel {

constexpr int kLogRingSize = 4096;
constexpr std::uint8_t kLogCommand = 0x09;
constexpr int kLogEntryBytes = 6;
constexpr int kMaxBatchCode = 7;  // 2^7 = 128 entries

struct LogEntry {
  std::uint8_t board = 0;   // board address that raised the event
  std::uint32_t stamp = 0;  // board time stamp, bits 0..26
  std::uint16_t code = 0;   // message code
};

struct LogAnswer {
  std::uint16_t curAnswN = 0;  // ring index of the first entry carried
  std::uint16_t lastN = 0;     // ring index after the last entry written
  std::vector<LogEntry> entries;
};

// Nothing when the answer is shorter than its 4-byte head; a trailing part
// shorter than an entry is ignored.
std::optional<LogAnswer> ParseLogAnswer(ByteView data);

// 09 FF 0F: the board answers with its indices.
Bytes LogOpenRequest();
// 09 FF FF.
Bytes LogClearRequest();
// 2^batchCode entries from ring index index.
Bytes LogBatchRequest(std::uint16_t index, int batchCode);

// (a - b) mod 4096, for ring indices.
constexpr std::uint16_t RingDistance(int a, int b) {
  return static_cast<std::uint16_t>(((a - b) % kLogRingSize + kLogRingSize) % kLogRingSize);
}

}  // namespace varnel
