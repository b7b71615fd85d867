// A flash session's answers: write acknowledgements and read data.
#include <algorithm>

#include "flash/listing.h"
#include "flash/requests.h"
#include "flash/session.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

// Error codes, as traced after "  GetInf CMD FRW err".
constexpr int kErrEmpty = 0;
constexpr int kErrShort = 2;
constexpr int kErrCrc = 3;
constexpr int kErrWrongKind = 4;  // read data while writing, or an acknowledgement while reading
constexpr int kErrDataRange = 5;
constexpr int kErrAckCrc = 6;
constexpr int kErrAckAddress = 7;
constexpr int kErrAckRange = 9;

constexpr std::size_t kAckBytes = 5;  // 10 a2 a1 a0 crc; longer answers carry read data
constexpr std::size_t kDataStart = 4;
constexpr std::uint32_t kAddressMask = 0xFFFFF;  // also drops the last-block bit

}  // namespace

bool FlashSession::Running() const {
  return window_ != nullptr && (mode_ == FlashMode::Read || mode_ == FlashMode::Write);
}

bool FlashSession::OnFlashAnswer(ByteView answer, int device, int slot) {
  trace_.Trace("    GetInf FRW " + std::to_string(slot), 1);
  if (!Running()) {
    trace_.Trace("  GetInf FRW: no session", 0);
    return false;
  }
  // Another board's acknowledgement could carry the same address and CRC:
  // taking it would confirm a block this board never stored.
  if (device != device_ || slot != slot_) {
    trace_.Trace("  GetInf FRW: not the board asked", 0);
    return false;
  }
  const std::optional<int> error = Take(answer);
  if (error) trace_.Trace("  GetInf CMD FRW err" + std::to_string(*error), 1);
  window_->RestartAfterAnswer(kAnswerTickMs);  // the next block, or the same again, at once
  return !error;
}

std::optional<int> FlashSession::Take(ByteView answer) {
  if (answer.empty()) return kErrEmpty;
  if (answer.size() < kAckBytes) return kErrShort;
  const std::uint32_t address = DWordOf(0, answer[1], answer[2], answer[3]) & kAddressMask;
  if (answer.size() == kAckBytes) return TakeAcknowledgement(answer, address);
  return TakeReadData(answer, address);
}

std::optional<int> FlashSession::TakeAcknowledgement(ByteView answer, std::uint32_t address) {
  const std::uint8_t crc = answer[4];
  window_->AppendMemo("  CMD Flash WRITE AnsCRC=" + HexText(crc, 2) + " ADDR=0x" + HexText(address, 6));
  if (mode_ != FlashMode::Write) return kErrWrongKind;
  if (!lastCrc_ || crc != *lastCrc_) return kErrAckCrc;
  if (address != current_) return kErrAckAddress;
  const auto size = static_cast<std::uint32_t>(blockSize_);
  if (address + size > kFlashSize) return kErrAckRange;
  map_.MarkDone(address, size);
  return std::nullopt;
}

// Data is stored where the answer's address says, even when another block
// is outstanding, but only whole: a check that fails stores and marks nothing.
std::optional<int> FlashSession::TakeReadData(ByteView answer, std::uint32_t address) {
  const ByteView data = answer.subspan(kDataStart, answer.size() - kAckBytes);
  const std::uint8_t crc = FlashCrc(answer.subspan(1));  // address, data and CRC give 0
  for (const std::string& line : FlashReadListing(address, data, crc)) window_->AppendMemo(line);
  if (mode_ != FlashMode::Read) return kErrWrongKind;
  if (crc != 0) return kErrCrc;
  if (address + data.size() > kFlashSize) return kErrDataRange;
  std::copy(data.begin(), data.end(), image_.begin() + address);
  map_.MarkDone(address, static_cast<std::uint32_t>(data.size()));
  return std::nullopt;
}

}  // namespace varnel
