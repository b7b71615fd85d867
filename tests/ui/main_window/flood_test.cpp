// The program's port flooded for a bounded time while it explores a network:
// foreign senders, the peer's address from another port, and the peer itself
// (its address and block port) with answers of valid and invalid checksums.
// The window must keep ticking, the heap must grow by no more than the trace
// lines kept, and the exploration must still complete.
//
// The peer is a relay on the program's peer address: it passes requests on to
// the emulator and its answers back, and floods from that same socket, so the
// flood passes the sender filter exactly as the block's answers do.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <malloc.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include "net_qt/udp_endpoint.h"
#include "network_fixture.h"
#include "wire/frame.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

constexpr const char* kPeer = "127.0.0.100";       // the relay, as the program's peer
constexpr const char* kEmulator = "127.0.0.101";   // the emulated network's root
constexpr const char* kForeign = "127.0.0.102";    // another block
constexpr std::uint16_t kProgramPort = 20102;
constexpr std::uint16_t kBlockPort = 12348;
constexpr int kFloodMs = 3000;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapMeasurable = false;  // the sanitizer has its own allocator
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapMeasurable = false;
#else
constexpr bool kHeapMeasurable = true;
#endif
#else
constexpr bool kHeapMeasurable = true;
#endif

sockaddr_in Address(const char* ip, std::uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  inet_pton(AF_INET, ip, &a.sin_addr);
  return a;
}

int BoundSocket(const char* ip, std::uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  const sockaddr_in a = Address(ip, port);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    ADD_FAILURE() << "cannot bind " << ip << ":" << port;
  }
  return fd;
}

void SendTo(int fd, const sim::Bytes& bytes, const sockaddr_in& to) {
  sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

sim::Bytes Sealed(sim::Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  return frame;
}

// What the flood sends: answers no device asked for, for Routes nobody has,
// with checksums right and wrong, and fragments.
std::vector<sim::Bytes> FloodFrames() {
  std::vector<sim::Bytes> frames = {
      Sealed({0x80, 0x49, 0x01, 0x0C, 0x03}),                 // a modem board behind Route 9
      Sealed({0x80, 0x11, 0x11, 0x11}),                       // channels only: no Route
      Sealed({0x80, 0x99, 0x59, 0x02, 0x00, 0x01, 0x02}),     // a termination board, deep
      {0x80, 0x41, 0x01, 0x0C, 0x03, 0x00},                   // the root's modem, bad checksum
      {0x80, 0x01, 0x00, 0x01, 0xC1, 0x00},                   // an identity, bad checksum
      {0x80},                                                 // too short
      Sealed({0x00, 0x0F}),                                   // a request
  };
  sim::Bytes big{0x80, 0x49, 0x01};
  big.resize(1400, 0xA5);
  frames.push_back(Sealed(big));
  return frames;
}

// Requests from the program go on to the emulator, its answers back; in
// between, the flood leaves from the relay's own socket.
class RelayAndFlood {
 public:
  RelayAndFlood()
      : relay_(BoundSocket(kPeer, kBlockPort)),
        inner_(BoundSocket(kPeer, 0)),
        foreign_(BoundSocket(kForeign, kBlockPort)),
        wrongPort_(BoundSocket(kPeer, 0)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~RelayAndFlood() {
    stop_ = true;
    thread_.join();
    for (int fd : {relay_, inner_, foreign_, wrongPort_}) close(fd);
  }
  void Flood(bool on) { flooding_ = on; }
  long sent() const { return sent_; }

 private:
  void Run() {
    const sockaddr_in program = Address(kPeer, kProgramPort);
    const sockaddr_in emulator = Address(kEmulator, kBlockPort);
    const std::vector<sim::Bytes> frames = FloodFrames();
    std::size_t next = 0;
    pollfd fds[2] = {{relay_, POLLIN, 0}, {inner_, POLLIN, 0}};
    std::uint8_t buffer[65536];
    while (!stop_) {
      poll(fds, 2, flooding_ ? 0 : 5);
      if (fds[0].revents & POLLIN) {
        const ssize_t n = recv(relay_, buffer, sizeof buffer, 0);
        if (n > 0) SendTo(inner_, sim::Bytes(buffer, buffer + n), emulator);
      }
      if (fds[1].revents & POLLIN) {
        const ssize_t n = recv(inner_, buffer, sizeof buffer, 0);
        if (n > 0) SendTo(relay_, sim::Bytes(buffer, buffer + n), program);
      }
      if (!flooding_) continue;
      // A round of every frame from each of the three senders.
      const sim::Bytes& frame = frames[next++ % frames.size()];
      SendTo(relay_, frame, program);
      SendTo(foreign_, frame, program);
      SendTo(wrongPort_, frame, program);
      sent_ += 3;
      if (sent_ % 96 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  int relay_, inner_, foreign_, wrongPort_;
  std::atomic<bool> stop_{false}, flooding_{false};
  std::atomic<long> sent_{0};
  std::thread thread_;
};

std::size_t MemoBytes(const TraceMemo& memo) {
  std::size_t bytes = 0;
  for (int i = 0; i < memo.lineCount(); ++i) bytes += memo.lineAt(i).toUtf8().size() + sizeof(std::size_t);
  return bytes;
}

}  // namespace

TEST(Flood, TheWindowKeepsTickingMemoryGrowsByTheTraceAndExplorationCompletes) {
  sim::NetworkServers servers(SmallNetworkOn(kEmulator));
  ASSERT_EQ(servers.Start(), "");
  RelayAndFlood relay;

  // The program explores while it is flooded and after. A common tick every
  // 30 ms counts as 100 ms, so the exploration outlasts the flood.
  WindowFixture f("[NET]\r\nIP=" + QByteArray(kPeer) + "\r\nSRVPORT=" + QByteArray::number(kProgramPort) +
                      "\r\n[COMMON]\r\nAUTOFIND=100\r\n",
                  150, 30);
  f.window->setDebugMode(true);
  ASSERT_TRUE(WaitFor([&] { return f.window->link().registry.inUse(1); }, 5000));

  QElapsedTimer clock;
  qint64 last = 0, longestGap = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longestGap = std::max(longestGap, now - last);
    last = now;
  });
  // The same timer without the flood, for comparison on a busy machine.
  clock.start();
  ticker.start(20);
  QTest::qWait(1000);
  ticker.stop();
  const qint64 quietGap = longestGap;
  last = 0;
  longestGap = 0;

  const std::size_t heapBefore = mallinfo2().uordblks;
  const std::size_t memoBefore = MemoBytes(f.memo());
  const long sentBefore = relay.sent();
  clock.start();
  ticker.start(20);
  relay.Flood(true);
  QTest::qWait(kFloodMs);
  relay.Flood(false);
  QElapsedTimer sinceFlood;
  sinceFlood.start();
  QTest::qWait(300);  // what is still in the socket is read
  ticker.stop();
  const long flood = relay.sent() - sentBefore;
  const std::size_t heapAfter = mallinfo2().uordblks;
  const std::size_t heapGrowth = heapAfter - std::min(heapBefore, heapAfter);
  const std::size_t memoGrowth = MemoBytes(f.memo()) - memoBefore;

  EXPECT_GT(flood, 3000) << "the flood was too thin to tell anything";
  EXPECT_LE(longestGap, 200) << "ms between two ticks of a 20 ms timer";
  std::printf("[ flood    ] %ld datagrams in %d ms, longest tick gap %lld ms (%lld ms unflooded), heap +%zu bytes "
              "(%.1f per datagram), trace +%zu bytes, %u dropped by the system\n",
              flood, kFloodMs, static_cast<long long>(longestGap), static_cast<long long>(quietGap), heapGrowth,
              double(heapGrowth) / double(flood), memoGrowth, f.window->endpoint().lostInSystem());
  if (kHeapMeasurable) {
    // The trace lines, twice over for the memo's own growth by doubling, and
    // 1 MiB for whatever Qt keeps in its caches.
    EXPECT_LE(heapGrowth, 2 * memoGrowth + (1u << 20));
  }

  // The whole small network is found afterwards, as without the flood.
  ASSERT_TRUE(WaitFor([&] { return f.window->program().exploration.autoState() == 15; }, 20000));
  EXPECT_TRUE(WaitFor([&] { return f.window->link().registry.inUse(5); }, 5000));
  std::printf("[ flood    ] the network fully found %lld ms after the flood\n",
              static_cast<long long>(sinceFlood.elapsed()));
  EXPECT_FALSE(f.window->link().registry.inUse(6));
}
