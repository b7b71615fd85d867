#pragma once
// The program's one UDP endpoint. It binds the configured local port or one
// of the three after it, sends to the current peer, and hands every received
// datagram on; the filtering and queueing are the core's.

#include <QObject>
#include <QUdpSocket>
#include <chrono>
#include <functional>

#include "app/send_path.h"

namespace varnel::net {

class UdpEndpoint : public QObject, public DatagramSink {
  Q_OBJECT
 public:
  static constexpr int kPortsTried = 4;

  explicit UdpEndpoint(QObject* parent = nullptr);

  // Binds firstPort .. firstPort + 3 (never past 65535), the first that is
  // free; 0 when none is. Port 0 stands for the default: the system would
  // otherwise pick a port nobody knows.
  std::uint16_t start(std::uint16_t firstPort);
  // The last port start() tries from firstPort.
  static std::uint16_t lastPortTried(std::uint16_t firstPort);
  static constexpr std::uint16_t kDefaultPort = 12347;
  void stop();

  bool isActive() const override;
  void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) override;

  // Takes pending datagrams off the socket while hasRoom says the queue has
  // room, never one more: the rest waits in the socket buffer. Returns how many.
  using Accept = std::function<void(const QByteArray& data, const QString& ip, quint16 port)>;
  int readPending(const std::function<bool()>& hasRoom, const Accept& accept);
  bool hasPending() const { return socket_.hasPendingDatagrams(); }
  // When the last read that took datagrams ended: every datagram taken so
  // far had arrived by then.
  std::chrono::steady_clock::time_point lastReadAt() const { return lastReadAt_; }

 signals:
  void readyRead();

 private:
  QUdpSocket socket_;
  std::chrono::steady_clock::time_point lastReadAt_;
};

}  // namespace varnel::net
