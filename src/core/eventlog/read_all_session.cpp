#include "eventlog/read_all_session.h"

namespace varnel {

void ReadAllSession::Start() {
  active_ = true;
  nextRow_ = 1;
  progress_.clear();
  gauge_ = 0;
  timeoutMs_ = 0;
  elapsedMs_ = timeoutMs_;
  running_ = true;
}

void ReadAllSession::Tick(int ms) {
  if (!running_) return;
  elapsedMs_ += ms;
  if (elapsedMs_ < timeoutMs_) return;
  running_ = false;
  Step();
}

void ReadAllSession::Step() {
  trace_.Trace("FVKLog: timer", 0);
  const int total = log_.count();
  progress_ = "Прочитано: " + std::to_string(nextRow_ - 1) + "/" + std::to_string(total);
  if (total != 0) gauge_ = (nextRow_ - 1) * 100 / total;
  if (total < nextRow_) {
    Stop();
    if (actions_.close) actions_.close();
    return;
  }
  if (actions_.readBatch) actions_.readBatch(nextRow_);
  timeoutMs_ = kRepeatMs;
  elapsedMs_ = 0;
  running_ = active_;  // reading may have closed the dialog
}

void ReadAllSession::BatchDone(int lastRow) {
  if (!active_) return;
  nextRow_ = lastRow + 1;
  trace_.Trace("FVKLog: new Ind " + std::to_string(nextRow_), 0);
  elapsedMs_ = timeoutMs_;
  running_ = true;
}

}  // namespace varnel
