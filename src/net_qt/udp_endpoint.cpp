#include "net_qt/udp_endpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <algorithm>
#include <array>
#include <cstring>

namespace varnel::net {

namespace {
// The largest payload a UDP datagram over IPv4 can carry.
constexpr std::size_t kMaxDatagram = 65507;
}  // namespace

UdpEndpoint::UdpEndpoint(QObject* parent) : QObject(parent) { setObjectName("UDPsrv"); }

UdpEndpoint::~UdpEndpoint() { stop(); }

std::uint16_t UdpEndpoint::lastPortTried(std::uint16_t firstPort) {
  if (firstPort == 0) firstPort = kDefaultPort;
  return static_cast<std::uint16_t>(std::min(65535, firstPort + kPortsTried - 1));
}

std::uint16_t UdpEndpoint::start(std::uint16_t firstPort) {
  stop();
  if (firstPort == 0) firstPort = kDefaultPort;
  for (int p = firstPort; p <= lastPortTried(firstPort); ++p) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    const int size = kReceiveBufferBytes;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);  // best effort
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_RXQ_OVFL, &on, sizeof on);  // the drop count comes with each datagram
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<std::uint16_t>(p));
    // No SO_REUSEADDR: a port held by another program must count as busy.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0) {
      fd_ = fd;
      if (batch_.empty()) {
        batch_.resize(kBatch);
        for (Slot& s : batch_) s.data.resize(kMaxDatagram);
      }
      notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
      connect(notifier_.get(), &QSocketNotifier::activated, this, &UdpEndpoint::readyRead);
      return static_cast<std::uint16_t>(p);
    }
    close(fd);
  }
  return 0;
}

void UdpEndpoint::stop() {
  notifier_.reset();
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  next_ = count_ = 0;  // what was read and not handed on goes with the socket
  lost_ = 0;
}

void UdpEndpoint::sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) {
  if (fd_ < 0) return;
  const QHostAddress address(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())));
  bool isV4 = false;
  const quint32 v4 = address.toIPv4Address(&isV4);
  if (!isV4) return;  // not an IPv4 address: nothing to send to
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(v4);
  to.sin_port = htons(port);
  sendto(fd_, datagram.data(), datagram.size(), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

bool UdpEndpoint::ReadBatch() {
  std::array<mmsghdr, kBatch> headers{};
  std::array<iovec, kBatch> vectors{};
  std::array<sockaddr_in, kBatch> senders{};
  struct Control {
    alignas(cmsghdr) char bytes[CMSG_SPACE(sizeof(std::uint32_t))];
  };
  std::array<Control, kBatch> controls{};
  for (int i = 0; i < kBatch; ++i) {
    headers[i].msg_hdr.msg_control = controls[i].bytes;
    headers[i].msg_hdr.msg_controllen = sizeof controls[i].bytes;
    vectors[i] = {batch_[i].data.data(), batch_[i].data.size()};
    headers[i].msg_hdr.msg_iov = &vectors[i];
    headers[i].msg_hdr.msg_iovlen = 1;
    headers[i].msg_hdr.msg_name = &senders[i];
    headers[i].msg_hdr.msg_namelen = sizeof senders[i];
  }
  const int n = recvmmsg(fd_, headers.data(), kBatch, MSG_DONTWAIT, nullptr);
  if (n <= 0) return false;
  for (int i = 0; i < n; ++i) {
    Slot& s = batch_[i];
    s.size = std::min<std::size_t>(headers[i].msg_len, s.data.size());
    inet_ntop(AF_INET, &senders[i].sin_addr, s.ip, sizeof s.ip);
    s.port = ntohs(senders[i].sin_port);
    for (cmsghdr* c = CMSG_FIRSTHDR(&headers[i].msg_hdr); c != nullptr; c = CMSG_NXTHDR(&headers[i].msg_hdr, c)) {
      if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SO_RXQ_OVFL) {
        std::memcpy(&lost_, CMSG_DATA(c), sizeof lost_);  // a running total
      }
    }
  }
  next_ = 0;
  count_ = n;
  return true;
}

int UdpEndpoint::readPending(const std::function<bool()>& hasRoom, const Accept& accept) {
  int taken = 0;
  while (fd_ >= 0 && (next_ < count_ || ReadBatch()) && hasRoom()) {
    const Slot& s = batch_[next_++];
    ++taken;
    accept(s.data.data(), s.size, s.ip, s.port);
  }
  if (taken > 0) lastReadAt_ = std::chrono::steady_clock::now();
  return taken;
}

bool UdpEndpoint::hasPending() const {
  if (fd_ < 0) return false;
  if (next_ < count_) return true;
  std::uint8_t probe;
  return recv(fd_, &probe, 1, MSG_PEEK | MSG_DONTWAIT) >= 0;
}

}  // namespace varnel::net
