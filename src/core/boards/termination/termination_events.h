#pragma once
// What the termination board parser asks of the main window beyond a page
// redraw, and the flash session's side of its answers.

#include <string>

#include "boards/termination/subchannel_state.h"

namespace varnel {

class TerminationViewEvents {
 public:
  virtual ~TerminationViewEvents() = default;
  // Digital mode: bars and counters; PanSL_dig shown, PanSL_An hidden.
  virtual void ShowSubchannelState(int device, int slot, const SubchannelState& state,
                                   const std::string& counters) = 0;
  // Analog mode: LabAnalog; PanSL_An shown, PanSL_dig hidden.
  virtual void ShowAnalogLevel(const std::string& text) = 0;
  // Caption of ButSLloop.
  virtual void ShowLoopState(const std::string& caption) = 0;
};

// The generic flash session takes every answer of kind 16.
class TerminationFlashHandler {
 public:
  virtual ~TerminationFlashHandler() = default;
  virtual void OnFlashAnswer(int device, ByteView data, int slot) = 0;
};

}  // namespace varnel
