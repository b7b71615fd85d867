#pragma once
// Serves one emulated Ethernet port: receives requests on a bound UDP socket,
// answers each from that same socket to the sender, and records the traffic.
// Delayed answers wait in a queue, so the thread keeps serving in the meantime.

#include <atomic>
#include <deque>
#include <functional>
#include <thread>

#include "sim/net/outcome.h"
#include "sim/udp/socket.h"
#include "sim/udp/traffic_record.h"

namespace varnel::sim {

inline constexpr std::uint16_t kDevicePort = 12348;

class UdpServer {
 public:
  // Called on the server thread for every datagram received.
  using Handler = std::function<Outcome(ByteView request)>;
  // Traffic: datagrams and what the block made of them; Problem: socket failures.
  enum class LogKind { Traffic, Problem };
  // Called on the server thread with one console line each.
  using LogSink = std::function<void(LogKind kind, const std::string& line)>;
  // Called on the server thread with every datagram received or sent and the
  // server's own address, e.g. to write a capture file.
  using Tap = std::function<void(const TrafficEntry& entry, const Peer& local)>;

  explicit UdpServer(Handler handler, LogSink log = {});
  ~UdpServer();
  UdpServer(const UdpServer&) = delete;
  UdpServer& operator=(const UdpServer&) = delete;

  // Binds and starts the serving thread. Empty on success, else the reason.
  // Start and Stop belong to the owning thread.
  std::string Start(const std::string& address, std::uint16_t port = kDevicePort);
  // Returns once the thread has ended and the port is free again; answers still
  // waiting for their delay are dropped.
  void Stop();

  // Set before Start.
  void SetTap(Tap tap) { tap_ = std::move(tap); }

  bool IsRunning() const { return thread_.joinable(); }
  // The bound address and port (the real port when 0 was asked for).
  const Peer& Local() const { return socket_.Local(); }

  std::vector<TrafficEntry> Record() const { return record_.Snapshot(); }
  bool WaitForRecord(std::size_t count, std::chrono::milliseconds timeout) const {
    return record_.WaitForTotal(count, timeout);
  }

 private:
  void Run();
  void DrainSocket();
  void Serve(const Bytes& request, const Peer& sender);
  void Schedule(Answer answer, const Peer& peer);
  void SendDue();
  void Send(const Bytes& frame, const Peer& peer);
  int PollTimeoutMs() const;
  void Log(LogKind kind, const std::string& line) const;
  void Keep(TrafficEntry entry);

  struct Pending {
    std::chrono::steady_clock::time_point due;
    Bytes frame;
    Peer peer;
  };

  Handler handler_;
  LogSink log_;
  Tap tap_;
  UdpSocket socket_;
  int wake_fd_ = -1;
  std::atomic<bool> stop_requested_{false};
  std::thread thread_;
  // Server thread only; ordered by due time, equal times in the order scheduled.
  std::deque<Pending> pending_;
  TrafficRecord record_;
};

}  // namespace varnel::sim
