#pragma once
// The transport spine in one place: trace, registry, request state, receive
// queue, send path and dispatcher, wired together. The GUI owns one Link and
// feeds it datagrams; tests drive it with a fake sink and a manual clock.

#include "app/answer_handlers.h"
#include "app/dispatcher.h"
#include "app/send_path.h"
#include "model/request_context.h"
#include "wire/receive_queue.h"
#include "wire/trace_log.h"

namespace varnel {

class Link {
 public:
  Link(const Clock& clock, DatagramSink& sink, AnswerHandlers& handlers)
      : trace(clock),
        registry(trace),
        send(sink, trace, registry, settings),
        dispatcher(trace, registry, request, status, handlers),
        context{trace, registry, request, status, send, send} {}

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

  // What the subsystems' request side works on.
  operator RequestContext&() { return context; }

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
  RequestContext context;
};

}  // namespace varnel
