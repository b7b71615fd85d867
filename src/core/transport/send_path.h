#pragma once
// The single way requests leave the program: frame, checksum, the datagram
// to the current peer's block port, a " >> " trace line, the request counter.

#include <string_view>

#include "network/device_registry.h"
#include "transport/frame.h"
#include "transport/request_state.h"
#include "transport/trace_log.h"

namespace varnel {

// The UDP endpoint as the send path sees it.
class DatagramSink {
 public:
  virtual ~DatagramSink() = default;
  virtual bool isActive() const = 0;
  // Failures are the sink's to swallow; the trace shows the attempt anyway.
  virtual void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) = 0;
};

class SendPath {
 public:
  SendPath(DatagramSink& sink, TraceLog& trace, DeviceRegistry& registry, const LinkSettings& link);

  void SendDatagram(const Bytes& datagram);
  // Appends the checksum; frame already starts with the direction byte.
  void SendFrame(Bytes frame);
  // Board request: send Route + board address, payload, checksum. The request
  // is counted against the addressed board. Slot 0 sends nothing.
  void SendBoardCommand(int device, int slot, const Bytes& payload);

 private:
  DatagramSink& sink_;
  TraceLog& trace_;
  DeviceRegistry& registry_;
  const LinkSettings& link_;
};

// Bytes of a board request without its checksum.
Bytes BoardCommandFrame(const Route& sendRoute, int slot, const Bytes& payload);

}  // namespace varnel
