#pragma once
// ButRDClick without the window: every read or write of a board starts here.
// The window asks for the write confirmation first, gathers its controls
// into a BoardRequestInput and shows what the result asks for.

#include <string>

#include "boards/board_requests.h"
#include "boards/modem/modem_requests.h"
#include "boards/request_sender.h"
#include "model/request_context.h"

namespace varnel {

// The block level's request (block attributes and network settings).
struct BlockFrame {
  Bytes frame;        // direction byte, address, payload; no checksum. Empty: nothing to send
  std::string error;  // invalid parameters; nothing is sent
};
class BlockRequestBuilder {
 public:
  virtual ~BlockRequestBuilder() = default;
  virtual BlockFrame BuildBlockFrame(RequestModeValue mode) = 0;
};

struct BoardRequestInput {
  RequestSender sender = RequestSender::ButRD;
  ModemForm modem;
  TerminationPage terminationPage = TerminationPage::Settings;
  AmplifierSetting amplifier;
};

// Builders that belong to later parts of the program; null composes nothing.
struct RequestHooks {
  BlockRequestBuilder* block = nullptr;
  LogRequestSource* log = nullptr;
};

struct ClickResult {
  bool statusSet = false;       // " Команда отправлена..." was shown
  int sent = 0;                 // requests sent
  std::string error;            // message box text; nothing was sent and no state changed
  bool redrawModemView = false;
  std::string dumpLengthText;   // new text of EditVKlen, when not empty
};

// Confirmation is the caller's: a write sender here means "confirmed".
ClickResult ButRDClick(RequestContext& ctx, const BoardRequestInput& input, const RequestHooks& hooks);

}  // namespace varnel
