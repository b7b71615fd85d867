#pragma once
// A non-blocking IPv4 UDP socket that owns its descriptor.

#include <optional>

#include "sim/udp/peer.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

class UdpSocket {
 public:
  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Empty on success, else why binding failed. Port 0 picks a free port.
  std::string Bind(const std::string& address, std::uint16_t port);
  void Close();

  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  const Peer& Local() const { return local_; }

  // Nothing when no datagram waits; error is set when the call failed.
  std::optional<Bytes> ReceiveFrom(Peer& sender, std::string& error);
  // Empty on success, else the reason.
  std::string SendTo(ByteView bytes, const Peer& peer);

 private:
  int fd_ = -1;
  Peer local_;
  Bytes buffer_;
};

}  // namespace varnel::sim
