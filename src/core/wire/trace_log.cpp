#include "wire/trace_log.h"

namespace varnel {

TraceLog::TraceLog(const Clock& clock) : clock_(clock) { RefreshClock(); }

void TraceLog::Trace(std::string_view message, int level) {
  if (!wants(level) || sink_ == nullptr) return;
  line_.assign(stamp_);
  line_ += ' ';
  line_ += message;
  sink_->appendLine(line_);
}

void TraceLog::RefreshClock() {
  const LocalDateTime now = clock_.localNow();
  timeText_ = TimeText(now);
  dateText_ = DateText(now);
  stamp_ = "[" + timeText_ + "]";
}

}  // namespace varnel
