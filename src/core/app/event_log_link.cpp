#include "app/event_log_link.h"

namespace varnel {

std::optional<Bytes> EventLogLink::LogRequest(RequestSender sender) {
  switch (sender) {
    case RequestSender::ButRD: return log_.Compose(LogControl::Read);
    case RequestSender::ButVKLog: return log_.Compose(LogControl::Open);
    case RequestSender::ButVKLogRD: return log_.Compose(LogControl::Batch);
    case RequestSender::ButVKLogCLR: return log_.Compose(LogControl::Clear);
    default: return std::nullopt;  // the clock's requests
  }
}

}  // namespace varnel
