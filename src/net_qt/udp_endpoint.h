#pragma once
// The program's one UDP endpoint. It binds the configured local port or one
// of the three after it, sends to the current peer, and hands every received
// datagram on; the filtering and queueing are the core's.
//
// The socket is the system's own, read in batches (one call takes up to
// kBatch datagrams) with a level-triggered notifier: a read event comes
// again for as long as anything waits, however little a handler took.

#include <QObject>
#include <QSocketNotifier>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/send_path.h"

namespace varnel::net {

class UdpEndpoint : public QObject, public DatagramSink {
  Q_OBJECT
 public:
  static constexpr int kPortsTried = 4;
  static constexpr int kBatch = 16;
  // Room in the system for datagrams not yet read: a flood must not crowd
  // out the peer's answers while the window paints (capped by the system).
  static constexpr int kReceiveBufferBytes = 4 << 20;

  explicit UdpEndpoint(QObject* parent = nullptr);
  ~UdpEndpoint() override;

  // Binds firstPort .. firstPort + 3 (never past 65535), the first that is
  // free; 0 when none is. Port 0 stands for the default: the system would
  // otherwise pick a port nobody knows.
  std::uint16_t start(std::uint16_t firstPort);
  // The last port start() tries from firstPort.
  static std::uint16_t lastPortTried(std::uint16_t firstPort);
  static constexpr std::uint16_t kDefaultPort = 12347;
  void stop();

  bool isActive() const override { return fd_ >= 0; }
  void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) override;

  // Hands on received datagrams in arrival order while hasRoom says the
  // queue has room, never one more: the rest waits (in the socket or in
  // the last batch read). Returns how many were handed on.
  using Accept = std::function<void(const std::uint8_t* data, std::size_t n, std::string_view ip,
                                    std::uint16_t port)>;
  int readPending(const std::function<bool()>& hasRoom, const Accept& accept);
  bool hasPending() const;
  // When the last read that handed datagrams on ended: every datagram handed
  // on so far had arrived by then.
  std::chrono::steady_clock::time_point lastReadAt() const { return lastReadAt_; }
  // Datagrams the system dropped since start() because its buffer was full:
  // under a flood heavier than can be read, the flood's and the peer's alike.
  // Learnt with the next datagram the system takes in.
  std::uint32_t lostInSystem() const { return lost_; }

 signals:
  void readyRead();

 private:
  bool ReadBatch();

  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  // The last batch: datagrams next .. count are still to be handed on.
  struct Slot {
    std::vector<std::uint8_t> data;
    std::size_t size = 0;
    char ip[16] = {};
    std::uint16_t port = 0;
  };
  std::vector<Slot> batch_;
  int next_ = 0, count_ = 0;
  std::uint32_t lost_ = 0;
  std::chrono::steady_clock::time_point lastReadAt_;
};

}  // namespace varnel::net
