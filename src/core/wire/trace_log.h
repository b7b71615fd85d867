#pragma once
// The trace: every protocol step and error note, stamped with the clock text
// of the last refresh. Level 1 is always recorded, anything else only in
// debug mode. Where the lines end up (the memo) is the sink's business.

#include <string>
#include <string_view>

#include "wire/time_utils.h"

namespace varnel {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void appendLine(std::string_view line) = 0;
};

class TraceLog {
 public:
  explicit TraceLog(const Clock& clock);

  void setSink(TraceSink* sink) { sink_ = sink; }

  // Callers that build expensive messages ask first.
  bool wants(int level) const { return level == 1 || debug_; }
  void Trace(std::string_view message, int level);

  bool debug() const { return debug_; }
  void setDebug(bool on) { debug_ = on; }

  // Re-reads the clock; until the next refresh every line carries the same stamp.
  void RefreshClock();
  const std::string& stamp() const { return stamp_; }      // "[hh:nn:ss]"
  const std::string& timeText() const { return timeText_; }
  const std::string& dateText() const { return dateText_; }
  const Clock& clock() const { return clock_; }

 private:
  const Clock& clock_;
  TraceSink* sink_ = nullptr;
  bool debug_ = false;
  std::string stamp_, timeText_, dateText_;
  std::string line_;  // reused so tracing does not allocate per line
};

}  // namespace varnel
