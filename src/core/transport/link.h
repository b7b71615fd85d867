#pragma once
// The transport spine in one place: trace, registry, request state, receive
// queue, send path and dispatcher, wired together. The GUI owns one Link and
// feeds it datagrams; tests drive it with a fake sink and a manual clock.

#include "network/device_registry.h"
#include "transport/answer_handlers.h"
#include "transport/command_status.h"
#include "transport/dispatcher.h"
#include "transport/receive_queue.h"
#include "transport/request_state.h"
#include "transport/send_path.h"
#include "transport/trace_log.h"

namespace varnel {

class Link {
 public:
  Link(const Clock& clock, DatagramSink& sink, AnswerHandlers& handlers)
      : trace(clock),
        registry(trace),
        send(sink, trace, registry, settings),
        dispatcher(trace, registry, request, status, handlers) {}

  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // The receive event: filter by sender and queue; never dispatches.
  ReceiveQueue::Offer Receive(const std::uint8_t* data, std::size_t n, std::string_view senderIp,
                              std::uint16_t senderPort) {
    return queue.offer(data, n, senderIp, senderPort, settings.peerIp, trace);
  }
  // The drain: everything queued goes to the dispatcher in arrival order.
  void Drain() {
    queue.drain([this](const Bytes& datagram) { dispatcher.DispatchAnswer(datagram); });
  }

  // Status bar texts refreshed with the clock.
  std::string TrafficPanelText() const;
  std::string ClockPanelText() const { return trace.timeText() + "   " + trace.dateText(); }

  LinkSettings settings;
  TraceLog trace;
  DeviceRegistry registry;
  RequestState request;
  CommandStatusLine status;
  ReceiveQueue queue;
  SendPath send;
  Dispatcher dispatcher;
};

}  // namespace varnel
