#pragma once
// Every answer of the modem board goes through GetInfVK: it tells the answer
// by its command code, checks the length, stores what it decodes in the
// device record and asks for the board page to be redrawn. Firmware and
// event log answers are handed on to their sessions.

#include <optional>

#include "boards/board_events.h"
#include "model/device_record.h"
#include "wire/byte_utils.h"
#include "wire/time_utils.h"
#include "wire/trace_log.h"

namespace varnel {

// The modem firmware writer's side of answers 02 and 03.
class ModemFirmwareHandler {
 public:
  virtual ~ModemFirmwareHandler() = default;
  virtual void OnFirmwareAnswer(int device, int slot, ByteView data) = 0;
};

// The event log reader's side of answer 09; false makes the answer a failure.
class ModemLogHandler {
 public:
  virtual ~ModemLogHandler() = default;
  virtual bool GetLogVK(int device, TStructDev& dev, int slot, ByteView data) = 0;
};

class ModemParser {
 public:
  ModemParser(TraceLog& trace, const Clock& clock, BoardPageEvents& events);

  // Sessions come and go with their windows; without one, its answers are
  // accepted and nothing is stored.
  void setFirmwareHandler(ModemFirmwareHandler* handler) { firmware_ = handler; }
  void setLogHandler(ModemLogHandler* handler) { log_ = handler; }

  // data starts with the command code; slot is the answering slot (4).
  bool GetInfVK(int device, TStructDev& dev, ByteView data, int slot);

 private:
  // Failure stage, or nothing when the answer was taken.
  std::optional<int> Store(int device, TStructDev& dev, ByteView data, int slot);
  std::optional<int> StoreDump(ByteView data);
  void StoreClock(TBRDS& board, ByteView data);

  TraceLog& trace_;
  const Clock& clock_;
  BoardPageEvents& events_;
  ModemFirmwareHandler* firmware_ = nullptr;
  ModemLogHandler* log_ = nullptr;
};

}  // namespace varnel
