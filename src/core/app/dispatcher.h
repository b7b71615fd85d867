#pragma once
// Every received datagram ends here: the frame checks, the route matching
// that tells a device-level answer from a board-level one, the registry
// lookup and the hand-off to discovery, acknowledgements or a board parser.

#include <functional>
#include <string>

#include "app/answer_handlers.h"
#include "model/command_status.h"
#include "model/device_registry.h"
#include "model/request_state.h"
#include "wire/byte_utils.h"
#include "wire/trace_log.h"

namespace varnel {

class Dispatcher {
 public:
  Dispatcher(TraceLog& trace, DeviceRegistry& registry, RequestState& request,
             CommandStatusLine& status, AnswerHandlers& handlers);

  void DispatchAnswer(const Bytes& datagram);
  void DispatchAnswer(const std::uint8_t* data, std::size_t n);
  void DeviceAnswer(std::uint8_t id, const Route& idRoute, ByteView body);
  void DeviceCommandAck(int device, std::uint8_t command, ByteView body);
  void BoardAnswer(std::uint8_t address, const Route& sendRoute, ByteView body);

  // Every timer tick: once the answers of a click of several requests are
  // overdue, the status names the missing ones. True when it did.
  bool SettleAwaited();

  // The answer label: the last datagram and its address nibbles.
  const std::string& answerLabel() const { return label_; }
  std::function<void()> onAnswerLabel;

 private:
  void SetExecuted();
  void Fail(std::string_view where, int code, int level);

  TraceLog& trace_;
  DeviceRegistry& registry_;
  RequestState& request_;
  CommandStatusLine& status_;
  AnswerHandlers& handlers_;
  std::string label_;
};

}  // namespace varnel
