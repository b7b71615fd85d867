#pragma once
// The termination boards' flash answers (command 0x10) go to the flash
// session; the board parser and the session know nothing of each other.

#include "boards/termination/termination_events.h"
#include "flash/session.h"

namespace varnel {

class FlashLink final : public TerminationFlashHandler {
 public:
  explicit FlashLink(FlashSession& session) : session_(session) {}
  void OnFlashAnswer(int device, ByteView data, int slot) override { session_.OnFlashAnswer(data, device, slot); }

 private:
  FlashSession& session_;
};

}  // namespace varnel
