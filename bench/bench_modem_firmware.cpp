// Writes a modem MCU image of 2,097,151 bytes (the largest file taken; 8192
// blocks) into the emulator on loopback and prints the time and blocks per
// second (target: under 2 s), then the same with one block in fifty lost on
// the way to the board. The program side is the core alone on a plain UDP
// socket, driven like its window drives it: answers as they arrive, a tick
// every 50 ms. The emulator saves what it received; it is compared with the image.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/program.h"
#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"

using namespace varnel;
using Steady = std::chrono::steady_clock;

namespace {

constexpr char kBoardAddress[] = "127.0.0.223";
constexpr std::size_t kImageBytes = kModemImageMaxBytes;

// A UDP socket on loopback that may drop every n-th data block it is given.
class LossySink final : public DatagramSink {
 public:
  explicit LossySink(unsigned dropEvery) : dropEvery_(dropEvery) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local);
  }
  ~LossySink() override { close(fd_); }
  bool isActive() const override { return true; }
  void sendTo(const Bytes& datagram, std::string_view host, std::uint16_t port) override {
    // Data blocks are the long datagrams; the last one may be short and is never dropped.
    if (dropEvery_ != 0 && datagram.size() > 64 && ++blocks_ % dropEvery_ == 0) {
      ++dropped;
      return;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    inet_pton(AF_INET, std::string(host).c_str(), &to.sin_addr);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
  // Waits up to ms for datagrams and hands each to the link.
  void Receive(Link& link, int ms) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return;
    std::uint8_t buffer[2048];
    sockaddr_in from{};
    socklen_t len = sizeof from;
    ssize_t n;
    while ((n = recvfrom(fd_, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &len)) > 0) {
      char ip[INET_ADDRSTRLEN];
      inet_ntop(AF_INET, &from.sin_addr, ip, sizeof ip);
      link.Receive(buffer, static_cast<std::size_t>(n), ip, ntohs(from.sin_port));
      len = sizeof from;
    }
    link.Drain();
  }
  unsigned dropped = 0;

 private:
  int fd_ = -1;
  unsigned dropEvery_;
  unsigned blocks_ = 0;
};

struct NoDiscoveryEvents final : DiscoveryEvents {
  void DeviceAdded(int) override {}
  void DeviceNameKnown(int) override {}
  void BlockOpened(int) override {}
};

// Runs the sink and the ticks until done() or the time is up; false on time out.
template <typename Done>
bool Pump(LossySink& sink, Program& program, Done done, double seconds) {
  const auto start = Steady::now();
  auto nextTick = start + std::chrono::milliseconds(ModemFirmwareSession::kTickMs);
  while (!done()) {
    const auto now = Steady::now();
    if (now - start > std::chrono::duration<double>(seconds)) return false;
    if (now >= nextTick) {
      program.modemFirmware.Tick();
      nextTick += std::chrono::milliseconds(ModemFirmwareSession::kTickMs);
      continue;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now).count();
    sink.Receive(program.link, static_cast<int>(wait) + 1);
  }
  return true;
}

bool Run(const char* what, unsigned dropEvery, const Bytes& image, const std::string& saved) {
  SystemClock clock;
  LossySink sink(dropEvery);
  NoDiscoveryEvents events;
  Program program(clock, sink, events);
  program.link.settings.peerIp = kBoardAddress;
  program.link.send.SendFrame({0x00, 0x0F});  // the broadcast finds the root as device 1
  if (!Pump(sink, program, [&] { return program.link.registry.inUse(1); }, 5)) {
    std::printf("%s: the emulated block did not answer\n", what);
    return false;
  }
  RequestState& r = program.link.request;
  r.currentDevice = 1;
  r.selectedSlot = 4;
  r.requestMode = kWriteRequest;
  std::filesystem::remove(saved);
  ModemFirmwareSession& session = program.modemFirmware;
  session.Prepare(ModemFirmwareKind::Mcu, image);
  const auto t0 = Steady::now();
  session.Show();
  const bool ended = Pump(sink, program, [&] { return session.finished() || session.state() == ModemFirmwareState::Stopped; }, 600);
  const double seconds = std::chrono::duration<double>(Steady::now() - t0).count();
  std::ifstream in(saved, std::ios::binary);
  const bool same = ended && session.finished() && Bytes(std::istreambuf_iterator<char>(in), {}) == image;
  std::printf("%-26s %8.3f s  %9.0f blocks/s  %u blocks dropped  %s\n", what, seconds,
              session.totalBlocks() / seconds, sink.dropped,
              same ? "received image equals the file" : ("FAILED: " + session.progress()).c_str());
  return same;
}

}  // namespace

int main() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bench-modem-XXXXXX").string();
  const std::string dir = mkdtemp(pattern.data());
  const std::string prefix = dir + "/board";
  sim::NetworksBuilt built = sim::NetworksFromIni(std::string("[root.b]\naddress=") + kBoardAddress +
                                                  "\nid=1\nname=B\nmodem_fw_save=" + prefix + "\n");
  if (!built.error.empty()) {
    std::printf("%s\n", built.error.c_str());
    return 1;
  }
  sim::NetworkServers servers(std::move(built.networks));
  if (const std::string error = servers.Start(); !error.empty()) {
    std::printf("%s\n", error.c_str());
    return 1;
  }
  Bytes image(kImageBytes);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 31 + i / 997);
  std::printf("MCU image of %zu bytes, %u blocks of 256; target without loss: under 2 s\n", image.size(),
              ModemBlockCount(image.size()));
  const bool plain = Run("no loss:", 0, image, prefix + ".mcu");
  const bool lossy = Run("one block in 50 lost:", 50, image, prefix + ".mcu");
  servers.Stop();
  std::filesystem::remove_all(dir);
  return plain && lossy ? 0 : 1;
}
