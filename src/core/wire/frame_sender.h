#pragma once
// Frames leave here: checksum appended, the datagram sent to the current
// peer's block port and a " >> " line in the trace. Knows no device.

#include <cstdint>
#include <string>
#include <string_view>

#include "wire/frame.h"
#include "wire/trace_log.h"

namespace varnel {

// The UDP endpoint as the send path sees it.
class DatagramSink {
 public:
  virtual ~DatagramSink() = default;
  virtual bool isActive() const = 0;
  // Failures are the sink's to swallow; the trace shows the attempt anyway.
  virtual void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) = 0;
};

// Where the program talks to: the current peer and the local port in use.
struct LinkSettings {
  std::string peerIp = "192.168.0.7";
  std::uint16_t serverPort = 12347;
};

class FrameSender {
 public:
  FrameSender(DatagramSink& sink, TraceLog& trace, const LinkSettings& link)
      : sink_(sink), trace_(trace), link_(link) {}

  void SendDatagram(const Bytes& datagram);
  // Appends the checksum; frame already starts with the direction byte.
  void SendFrame(Bytes frame);

 private:
  DatagramSink& sink_;
  TraceLog& trace_;
  const LinkSettings& link_;
};

}  // namespace varnel
