#pragma once
// The modem board's firmware answers (0x02, 0x03) go to the firmware writer;
// the board parser and the writer know nothing of each other.

#include "boards/modem/modem_parser.h"
#include "firmware/modem_session.h"

namespace varnel {

class ModemFirmwareLink final : public ModemFirmwareHandler {
 public:
  explicit ModemFirmwareLink(ModemFirmwareSession& session) : session_(session) {}
  void OnFirmwareAnswer(int device, int slot, ByteView data) override { session_.OnAnswer(device, slot, data); }

 private:
  ModemFirmwareSession& session_;
};

}  // namespace varnel
