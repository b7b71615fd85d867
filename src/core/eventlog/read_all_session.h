#pragma once
// "Прочитать все": reads the whole log grid batch by batch. Each step asks
// for the batch from the first unread row; an answer moves on at the next
// tick, and a batch unanswered for five seconds is asked for again from the
// same row, until every row is read or the operator cancels.

#include <functional>
#include <string>

#include "eventlog/event_log.h"
#include "wire/trace_log.h"

namespace varnel {

class ReadAllSession {
 public:
  static constexpr int kTickMs = 50;
  static constexpr int kRepeatMs = 5000;

  struct Actions {
    std::function<void(int row)> readBatch;  // make row current and send one batch from it
    std::function<void()> close;             // every row read: the dialog closes
  };

  ReadAllSession(TraceLog& trace, const EventLog& log, Actions actions)
      : trace_(trace), log_(log), actions_(std::move(actions)) {}

  // The dialog is shown: the first step runs at the next tick.
  void Start();
  // The dialog closed, by itself or by "Отмена".
  void Stop() { running_ = false; active_ = false; }
  void Tick(int ms);
  // The last row an answer wrote.
  void BatchDone(int lastRow);

  bool active() const { return active_; }
  const std::string& progressText() const { return progress_; }
  int gauge() const { return gauge_; }

 private:
  void Step();

  TraceLog& trace_;
  const EventLog& log_;
  Actions actions_;
  bool active_ = false;
  bool running_ = false;  // the dialog's timer
  int nextRow_ = 1;
  int timeoutMs_ = 0;
  int elapsedMs_ = 0;
  std::string progress_;
  int gauge_ = 0;
};

}  // namespace varnel
