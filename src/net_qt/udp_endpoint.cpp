#include "net_qt/udp_endpoint.h"

#include <QHostAddress>
#include <algorithm>
#include <QNetworkDatagram>

namespace varnel::net {

UdpEndpoint::UdpEndpoint(QObject* parent) : QObject(parent) {
  socket_.setObjectName("UDPsrv");
  connect(&socket_, &QUdpSocket::readyRead, this, &UdpEndpoint::readyRead);
}

std::uint16_t UdpEndpoint::lastPortTried(std::uint16_t firstPort) {
  if (firstPort == 0) firstPort = kDefaultPort;
  return static_cast<std::uint16_t>(std::min(65535, firstPort + kPortsTried - 1));
}

std::uint16_t UdpEndpoint::start(std::uint16_t firstPort) {
  stop();
  if (firstPort == 0) firstPort = kDefaultPort;
  for (int p = firstPort; p <= lastPortTried(firstPort); ++p) {
    const auto port = static_cast<std::uint16_t>(p);
    // No address sharing: a port held by another program must count as busy.
    if (socket_.bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress)) {
      return port;
    }
    socket_.abort();
  }
  return 0;
}

void UdpEndpoint::stop() {
  socket_.abort();
}

bool UdpEndpoint::isActive() const { return socket_.state() == QAbstractSocket::BoundState; }

void UdpEndpoint::sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) {
  const QHostAddress address(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())));
  if (address.isNull()) return;  // not an address: nothing to send to
  socket_.writeDatagram(reinterpret_cast<const char*>(datagram.data()),
                        static_cast<qint64>(datagram.size()), address, port);
}

int UdpEndpoint::readPending(const std::function<bool()>& hasRoom, const Accept& accept) {
  int taken = 0;
  while (socket_.hasPendingDatagrams() && hasRoom()) {
    const QNetworkDatagram d = socket_.receiveDatagram();
    QHostAddress sender = d.senderAddress();
    bool isV4 = false;
    const quint32 v4 = sender.toIPv4Address(&isV4);
    if (isV4) sender = QHostAddress(v4);  // "::ffff:a.b.c.d" compares as "a.b.c.d"
    ++taken;
    accept(d.data(), sender.toString(), static_cast<quint16>(d.senderPort()));
  }
  if (taken > 0) lastReadAt_ = std::chrono::steady_clock::now();
  return taken;
}

}  // namespace varnel::net
