#pragma once
// Joins the event log to the modem board: the parser hands it answer 09,
// the request hub asks it for the log page's requests. The board code and
// the log know nothing of each other; this is the only place they meet.

#include "boards/modem/modem_parser.h"
#include "boards/modem/modem_requests.h"
#include "eventlog/event_log.h"

namespace varnel {

class EventLogLink final : public ModemLogHandler, public LogRequestSource {
 public:
  explicit EventLogLink(EventLog& log) : log_(log) {}

  bool GetLogVK(int device, TStructDev&, int, ByteView data) override { return log_.GetLogVK(device, data); }
  std::optional<Bytes> LogRequest(RequestSender sender) override;

 private:
  EventLog& log_;
};

}  // namespace varnel
