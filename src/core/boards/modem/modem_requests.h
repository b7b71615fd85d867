#pragma once
// The modem board's part of the request hub: which requests a click on the
// active modem page composes, in send order, and the code to await.

#include <array>
#include <optional>
#include <string>

#include "boards/board_requests.h"
#include "boards/modem/modem_editors.h"
#include "boards/request_sender.h"

namespace varnel {

enum class ModemPage { Dump, Config, Channels, Log, Firmware };

// The event log reader's part of the log page. It returns the request for
// this sender, or nothing when the clock's request applies (ButRD while the
// log is open, the clock buttons).
class LogRequestSource {
 public:
  virtual ~LogRequestSource() = default;
  virtual std::optional<Bytes> LogRequest(RequestSender sender) = 0;
};

// The modem panel's controls as the operator left them.
struct ModemForm {
  ModemPage page = ModemPage::Firmware;
  std::array<bool, 3> shownChannels{true, true, true};  // chShowCHst1..3
  ModemEditorValues editors;
  std::string dumpAddress = "000F";  // EditVKaddr, hexadecimal
  std::string dumpLength = "10";     // EditVKlen, hexadecimal
  int clockCorrection = 0;           // K, -39..72
};

// dev is device number device. nowLocal: the PC's wall clock in seconds
// (LocalSeconds), for setting the board clock. log may be null: then only
// the clock requests are composed.
BoardRequests BuildModemRequests(const TStructDev& dev, int device, const ModemForm& form, RequestSender sender,
                                 RequestModeValue mode, std::int64_t nowLocal, LogRequestSource* log);

BoardRequests BuildLogClockRequests(RequestSender sender, int clockCorrection, std::int64_t nowLocal,
                                    LogRequestSource* log);

}  // namespace varnel
