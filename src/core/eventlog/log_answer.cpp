#include "eventlog/log_answer.h"

namespace varnel {

namespace {

constexpr std::size_t kHeadBytes = 4;
constexpr std::uint32_t kStampMask = 0x07FFFFFF;  // bit 27 is not the program's

std::uint32_t U32At(ByteView d, std::size_t i) {
  return static_cast<std::uint32_t>(d[i]) | static_cast<std::uint32_t>(d[i + 1]) << 8 |
         static_cast<std::uint32_t>(d[i + 2]) << 16 | static_cast<std::uint32_t>(d[i + 3]) << 24;
}

}  // namespace

std::optional<LogAnswer> ParseLogAnswer(ByteView d) {
  if (d.size() < kHeadBytes) return std::nullopt;
  const std::uint32_t h = d[1] | d[2] << 8 | d[3] << 16;
  LogAnswer a;
  a.curAnswN = static_cast<std::uint16_t>(h % kLogRingSize);
  a.lastN = static_cast<std::uint16_t>((h / kLogRingSize) % kLogRingSize);
  const std::size_t n = (d.size() - kHeadBytes) / kLogEntryBytes;
  a.entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = kHeadBytes + i * kLogEntryBytes;
    const std::uint32_t w = U32At(d, at);
    a.entries.push_back({static_cast<std::uint8_t>(w >> 28), w & kStampMask,
                         static_cast<std::uint16_t>(d[at + 4] | d[at + 5] << 8)});
  }
  return a;
}

Bytes LogOpenRequest() { return {kLogCommand, 0xFF, 0x0F}; }

Bytes LogClearRequest() { return {kLogCommand, 0xFF, 0xFF}; }

Bytes LogBatchRequest(std::uint16_t index, int batchCode) {
  index %= kLogRingSize;
  return {kLogCommand, static_cast<std::uint8_t>(index & 0xFF),
          static_cast<std::uint8_t>((batchCode & 0x0F) << 4 | (index >> 8))};
}

}  // namespace varnel
