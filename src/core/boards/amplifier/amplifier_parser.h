#pragma once
// Every answer of a transmit amplifier (slots 6 and 8) goes through GetInfAP:
// the board information answer is stored with its display lines, and every
// answer redraws the amplifier's page.

#include <optional>

#include "boards/board_events.h"
#include "model/device_record.h"
#include "wire/byte_utils.h"
#include "wire/trace_log.h"

namespace varnel {

class AmplifierParser {
 public:
  AmplifierParser(TraceLog& trace, BoardPageEvents& pages);

  // data starts with the answer kind; slot is the answering slot.
  bool GetInfAP(int device, TStructDev& dev, ByteView data, int slot);

 private:
  // Error code, or nothing when the answer was taken.
  std::optional<int> Take(TStructDev& dev, ByteView data, int slot);

  TraceLog& trace_;
  BoardPageEvents& pages_;
};

}  // namespace varnel
