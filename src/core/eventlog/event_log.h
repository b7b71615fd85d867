#pragma once
// The modem board's event log as the program holds it: which ring index the
// first grid row shows, how many entries the grid holds (at most 1023), and
// the grid's rows as texts. Opening, batch reads and clearing are composed
// here; answers are stored here; the window only draws the rows.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "eventlog/log_answer.h"
#include "model/request_state.h"
#include "wire/trace_log.h"

namespace varnel {

enum LogStateValue : std::uint8_t { kLogClosed = 0, kLogOpening = 1, kLogOpen = 2 };
constexpr int kMaxLogEntries = 1023;
constexpr int kLogColumns = 5;  // date, time, board, channel, event
constexpr int kDefaultBatchCode = 5;  // 32 entries a batch

// The controls of the log page that compose a request.
enum class LogControl {
  Read,   // the read button: opens the log while it is not open, else reads the clock
  Open,   // "Открыть журнал"
  Batch,  // "Чтение" of the log: one batch from the current row
  Clear,  // "Очистить" (confirmed by the caller)
};

using LogRow = std::array<std::string, kLogColumns>;

class EventLog {
 public:
  EventLog(TraceLog& trace, const RequestState& request) : trace_(trace), request_(request) {}

  // The request for a control, or nothing when the clock's request applies.
  std::optional<Bytes> Compose(LogControl control);
  // Answer 09 of device; false when it could not be taken.
  bool GetLogVK(int device, ByteView data);

  std::uint8_t state() const { return state_; }
  std::uint16_t first() const { return first_; }
  std::uint16_t count() const { return count_; }
  std::uint16_t afterLast() const { return afterLast_; }

  // Row 0 is the header; rows 1..count() hold entries.
  int rowCount() const { return static_cast<int>(rows_.size()); }
  const LogRow& row(int k) const { return rows_.at(static_cast<std::size_t>(k)); }
  int currentRow() const { return currentRow_; }
  void setCurrentRow(int row) { currentRow_ = row; }
  int batchCode() const { return batchCode_; }
  void setBatchCode(int code) { batchCode_ = code; }

  // Told the last row each answer wrote (the read-all loop follows it).
  std::function<void(int lastRow)> onRowsWritten;

 private:
  void Open(std::uint16_t lastN, bool withEntries);
  void Grow(std::uint16_t lastN);
  void Store(const LogAnswer& a);
  std::optional<Bytes> BatchRequest();

  TraceLog& trace_;
  const RequestState& request_;
  std::uint8_t state_ = kLogClosed;
  std::uint16_t first_ = 0, count_ = 0, afterLast_ = 0;
  std::vector<LogRow> rows_ = std::vector<LogRow>(1);
  int currentRow_ = 0;
  int batchCode_ = kDefaultBatchCode;
  std::optional<std::uint16_t> asked_;  // ring index of the last batch asked for
};

}  // namespace varnel
