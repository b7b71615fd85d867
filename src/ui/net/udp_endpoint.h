#pragma once
// The program's one UDP endpoint. It binds the configured local port or one
// of the three after it, sends to the current peer, and hands every received
// datagram on; the filtering and queueing are the core's.

#include <QObject>
#include <QUdpSocket>
#include <functional>

#include "app/send_path.h"

namespace varnel::ui {

class UdpEndpoint : public QObject, public DatagramSink {
  Q_OBJECT
 public:
  static constexpr int kPortsTried = 4;

  explicit UdpEndpoint(QObject* parent = nullptr);

  // Binds firstPort .. firstPort + 3, the first that is free; 0 when none is.
  std::uint16_t start(std::uint16_t firstPort);
  void stop();

  bool isActive() const override;
  void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) override;

  // Reads pending datagrams while accept says there is room; returns how many.
  using Accept = std::function<bool(const QByteArray& data, const QString& ip, quint16 port)>;
  int readPending(const Accept& accept);
  bool hasPending() const { return socket_.hasPendingDatagrams(); }

 signals:
  void readyRead();

 private:
  QUdpSocket socket_;
};

}  // namespace varnel::ui
