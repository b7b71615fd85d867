#include "sim/udp/socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varnel::sim {

namespace {

// Large enough for any UDP payload, so nothing is ever cut silently.
constexpr std::size_t kMaxDatagram = 65536;

std::string ErrnoText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

bool ToSockaddr(const Peer& peer, sockaddr_in& out) {
  std::memset(&out, 0, sizeof out);
  out.sin_family = AF_INET;
  out.sin_port = htons(peer.port);
  return inet_pton(AF_INET, peer.address.c_str(), &out.sin_addr) == 1;
}

Peer FromSockaddr(const sockaddr_in& in) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
  return {text, ntohs(in.sin_port)};
}

}  // namespace

UdpSocket::~UdpSocket() { Close(); }

std::string UdpSocket::Bind(const std::string& address, std::uint16_t port) {
  Close();
  sockaddr_in local{};
  if (!ToSockaddr({address, port}, local)) return "not an IPv4 address: " + address;
  fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return ErrnoText("socket");
  // No SO_REUSEADDR: a busy port must fail here, as it does on a real host.
  if (bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    const std::string error = ErrnoText("bind " + Peer{address, port}.Text());
    Close();
    return error;
  }
  socklen_t length = sizeof local;
  getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
  local_ = FromSockaddr(local);
  buffer_.resize(kMaxDatagram);
  return {};
}

void UdpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  local_ = {};
}

std::optional<Bytes> UdpSocket::ReceiveFrom(Peer& sender, std::string& error) {
  sockaddr_in from{};
  socklen_t length = sizeof from;
  const ssize_t n = recvfrom(fd_, buffer_.data(), buffer_.size(), 0,
                             reinterpret_cast<sockaddr*>(&from), &length);
  if (n < 0) {
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) error = ErrnoText("recvfrom");
    return std::nullopt;
  }
  sender = FromSockaddr(from);
  return Bytes(buffer_.begin(), buffer_.begin() + n);
}

std::string UdpSocket::SendTo(ByteView bytes, const Peer& peer) {
  sockaddr_in to{};
  if (!ToSockaddr(peer, to)) return "not an IPv4 address: " + peer.address;
  const ssize_t n = sendto(fd_, bytes.data(), bytes.size(), 0,
                           reinterpret_cast<const sockaddr*>(&to), sizeof to);
  if (n < 0) return ErrnoText("sendto " + peer.Text());
  return {};
}

}  // namespace varnel::sim
