#pragma once
// Every answer of a termination board (slots 1..3) goes through GetInfSL:
// board information is stored in the slot's record and redrawn from there,
// the subchannel state and the loop state go straight to the view, and
// flash answers to the flash session.

#include <optional>

#include "boards/board_events.h"
#include "boards/termination/termination_events.h"
#include "model/device_record.h"
#include "wire/trace_log.h"

namespace varnel {

class TerminationParser {
 public:
  TerminationParser(TraceLog& trace, BoardPageEvents& pages, TerminationViewEvents& view);

  // The flash session comes and goes with its window; without one, flash
  // answers are accepted and dropped.
  void setFlashHandler(TerminationFlashHandler* handler) { flash_ = handler; }

  // data starts with the answer kind; slot is the answering slot.
  bool GetInfSL(int device, TStructDev& dev, ByteView data, int slot);

 private:
  // Error code, or nothing when the answer was taken.
  std::optional<int> Take(int device, TStructDev& dev, ByteView data, int slot);
  std::optional<int> StoreInformation(int device, TBRDS& board, ByteView data, int slot);
  std::optional<int> ShowSubchannels(int device, const TBRDS& board, ByteView data, int slot);
  std::optional<int> ShowLoop(ByteView data);

  TraceLog& trace_;
  BoardPageEvents& pages_;
  TerminationViewEvents& view_;
  TerminationFlashHandler* flash_ = nullptr;
};

}  // namespace varnel
