#include "eventlog/event_log.h"

#include <algorithm>

#include "eventlog/event_decoder.h"
#include "model/board_table.h"
#include "wire/str_utils.h"
#include "wire/time_utils.h"

namespace varnel {

namespace {

// Error stages, as traced after "  GetInfVKLOG err".
constexpr int kErrNotCurrent = 0;
constexpr int kErrShort = 1;

// Time stamp bits 21..26 mark a clock the board could not read or never set.
constexpr std::uint32_t kClockError = 62;
constexpr std::uint32_t kClockNotSet = 63;

const LogRow kHeader{" Дата", " Время", " Плата", " Канал", " Событие"};
// Rows above the current one kept in view after opening.
constexpr int kOpenScrollBack = 16;

// The date and time cells of a board time stamp.
std::pair<std::string, std::string> LogStampTexts(std::uint32_t stamp, std::int64_t nowLocal) {
  const std::uint32_t marker = (stamp >> 21) & 0x3F;
  if (marker == kClockError) return {"-", "-"};
  if (marker == kClockNotSet) return {"Не устан.", "-"};
  const LocalDateTime t = LocalFromSeconds(ExpandDeviceTime(stamp, nowLocal));
  return {DateText(t), TimeText(t)};
}

}  // namespace

std::optional<Bytes> EventLog::Compose(LogControl control) {
  switch (control) {
    case LogControl::Read:
      if (state_ == kLogOpen) return std::nullopt;
      [[fallthrough]];
    case LogControl::Open:
      state_ = kLogOpening;
      return LogOpenRequest();
    case LogControl::Batch: return BatchRequest();
    case LogControl::Clear:
      state_ = kLogClosed;
      count_ = 0;
      return LogClearRequest();
  }
  return std::nullopt;
}

std::optional<Bytes> EventLog::BatchRequest() {
  const int r = std::max(currentRow_, 1);
  const int code = std::clamp(batchCode_, 0, kMaxBatchCode);
  // Rows waiting for this batch show "*" in the time column.
  const int last = std::min(r + (1 << code) - 1, rowCount() - 1);
  for (int k = r; k <= last; ++k) rows_[static_cast<std::size_t>(k)][1] = "*";
  asked_ = static_cast<std::uint16_t>(RingDistance(first_ + r - 1, 0));
  return LogBatchRequest(*asked_, code);
}

bool EventLog::GetLogVK(int device, ByteView data) {
  std::optional<int> error;
  std::optional<LogAnswer> a;
  if (device != request_.currentDevice) {
    error = kErrNotCurrent;
  } else if (!(a = ParseLogAnswer(data))) {
    error = kErrShort;
  }
  if (error) {
    trace_.Trace("  GetInfVKLOG err" + std::to_string(*error), 1);
    return false;
  }
  trace_.Trace("  Log CurAnswN=" + std::to_string(a->curAnswN) + " LastN=" + std::to_string(a->lastN), 0);
  if (state_ == kLogOpening) Open(a->lastN, !a->entries.empty());
  if (state_ != kLogOpen) return true;  // cleared or never opened: nothing to store
  Grow(a->lastN);
  Store(*a);
  return true;
}

void EventLog::Open(std::uint16_t lastN, bool withEntries) {
  state_ = kLogOpen;
  afterLast_ = lastN;
  asked_.reset();
  if (withEntries) {
    first_ = RingDistance(lastN, kMaxLogEntries);
    count_ = kMaxLogEntries;
  } else {
    first_ = lastN >= kMaxLogEntries ? static_cast<std::uint16_t>(lastN - kMaxLogEntries) : 0;
    count_ = static_cast<std::uint16_t>(lastN - first_);
  }
  trace_.Trace("LOG OPENED: Log First=" + std::to_string(first_) + " After_last=" + std::to_string(lastN) +
                   " Num=" + std::to_string(count_),
               0);
  rows_.assign(static_cast<std::size_t>(count_) + 1, LogRow{});
  rows_[0] = kHeader;
  currentRow_ = count_ > kOpenScrollBack ? count_ - kOpenScrollBack : count_;
}

void EventLog::Grow(std::uint16_t lastN) {
  if (lastN == afterLast_) return;
  const int d = RingDistance(lastN, afterLast_);
  if (count_ + d <= kMaxLogEntries) {
    count_ = static_cast<std::uint16_t>(count_ + d);
    rows_.resize(rows_.size() + static_cast<std::size_t>(d));
    trace_.Trace(" New ROWS " + std::to_string(d), 0);
  } else {
    // The oldest rows drop out; the grid keeps its 1023 newest entries.
    const int j = count_ + d - kMaxLogEntries;
    first_ = RingDistance(first_ + j, 0);
    count_ = kMaxLogEntries;
    trace_.Trace(" New Log VkLog_FInd=" + std::to_string(first_) + "j=" + std::to_string(j), 0);
    rows_.resize(kMaxLogEntries + 1);
    const auto moved = std::min<std::size_t>(static_cast<std::size_t>(j), rows_.size() - 1);
    std::move(rows_.begin() + 1 + static_cast<std::ptrdiff_t>(moved), rows_.end(), rows_.begin() + 1);
    std::fill(rows_.end() - static_cast<std::ptrdiff_t>(moved), rows_.end(), LogRow{});
  }
  afterLast_ = lastN;
}

void EventLog::Store(const LogAnswer& a) {
  const std::int64_t nowLocal = LocalSeconds(trace_.clock().localNow());
  // Where this answer starts in the grid; without entries the batch it
  // answers counts as done, so a read of every row moves past a hole.
  // An answer without entries tells nothing of rows unless it answers the
  // batch asked last: a late copy of the open answer (index 4095) would
  // otherwise count every row up to the grid's end as read.
  if (a.entries.empty() && a.curAnswN != asked_) {
    trace_.Trace("  Log: no entries from " + std::to_string(a.curAnswN) + ", not the index asked", 0);
    return;
  }
  const int start = RingDistance(a.curAnswN, first_) + 1;
  int lastRow = std::min(start + (1 << std::clamp(batchCode_, 0, kMaxBatchCode)) - 1, rowCount() - 1);
  for (std::size_t i = 0; i < a.entries.size(); ++i) {
    const LogEntry& e = a.entries[i];
    if (trace_.wants(0)) {
      trace_.Trace("  Log [" + std::to_string(i + 1) + "] brd=0x" + HexText(e.board, 2) + " t=0x" +
                       HexText(e.stamp, 8) + " msg=0x" + HexText(e.code, 4),
                   0);
    }
    const auto [date, time] = LogStampTexts(e.stamp, nowLocal);
    const DecodedEvent text = DecodeEvent(e.board, e.code);
    // An entry that would fall beyond the grid lands in its last row; one
    // from before the grid's first row would overwrite the header: dropped.
    const int r = std::min<int>(RingDistance(a.curAnswN + static_cast<int>(i) + 1, first_), rowCount() - 1);
    if (r == 0) continue;
    rows_[static_cast<std::size_t>(r)] = {date, time, std::string(BoardShortLabel(e.board)), text.channel,
                                          text.event};
    lastRow = r;
  }
  if (onRowsWritten) onRowsWritten(lastRow);
}

}  // namespace varnel
