// Prints how long a 1 MiB firmware write to a termination board takes over
// loopback against the emulator, next to its floor: the session waits 20 ms
// after each answer before the next block, so 2048 blocks of 512 bytes cannot
// take less than 2048 x 20 ms (target: within 3 % of that). The whole program
// runs: the main window, its UDP endpoint, the dispatcher and the progress
// window with its timer; the emulator serves on its own threads.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <numeric>
#include <optional>
#include <cstdio>
#include <cstdlib>

#include "bench_wait.h"
#include "net_qt/udp_endpoint.h"
#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"
#include "ui/boards/termination/flash_window.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/trace_memo.h"

using namespace varnel;

namespace {

constexpr char kAddress[] = "127.0.0.211";
constexpr int kLocalPort = 20211;
constexpr std::uint32_t kBlock = FlashSession::kFirmwareBlock;

constexpr char kScenario[] =
    "[root.bench]\n"
    "address=127.0.0.211\n"
    "id=1\n"
    "name=Bench\n"
    "sl_slots=1\n";

// Write requests the emulator received, the repeats among them included.
std::size_t FlashWritesReceived(const sim::UdpServer& server) {
  std::size_t n = 0;
  for (const auto& e : server.Record()) {
    if (e.direction == sim::Direction::Received && e.bytes.size() == 2 + 4 + kBlock + 1 + 1 && e.bytes[2] == 0x10) ++n;
  }
  return n;
}

// Passes the trace on to the memo and notes when each request left and
// when its answer came in, for the round trip that adds to every block.
class RoundTrips final : public TraceSink {
 public:
  explicit RoundTrips(TraceSink& memo) : memo_(memo) {}
  void appendLine(std::string_view line) override {
    const auto now = std::chrono::steady_clock::now();
    if (line.find(" >> ") != std::string_view::npos) {
      sent_ = now;
      if (answered_) pauses_.push_back(Micros(now - *answered_));
      answered_.reset();
    } else if (line.find("<< GET inf") != std::string_view::npos && sent_) {
      trips_.push_back(Micros(now - *sent_));
      answered_ = now;
      sent_.reset();
    }
    memo_.appendLine(line);
  }
  void Print() {
    std::printf("round trip, request to answer: mean %.3f ms, median %.3f ms\n", MeanMs(trips_), MedianMs(trips_));
    std::printf("answer to next request:        mean %.3f ms, median %.3f ms\n", MeanMs(pauses_), MedianMs(pauses_));
  }

 private:
  static double Micros(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
  }
  static double MeanMs(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size()) / 1000;
  }
  static double MedianMs(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2] / 1000;
  }

  TraceSink& memo_;
  std::optional<std::chrono::steady_clock::time_point> sent_, answered_;
  std::vector<double> trips_, pauses_;
};

int Fail(const char* what) {
  std::fprintf(stderr, "bench_flash_loopback: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  sim::NetworksBuilt built = sim::NetworksFromIni(kScenario);
  if (!built.error.empty()) return Fail(built.error.c_str());
  sim::NetworkServers servers(std::move(built.networks));
  if (!servers.Start().empty()) return Fail("the emulator cannot bind its address");

  QTemporaryDir dir;
  QFile ini(dir.filePath("varnel-monitor.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return Fail("no settings file");
  ini.write(QString("[NET]\r\nIP=%1\r\nSRVPORT=%2\r\n").arg(kAddress).arg(kLocalPort).toLatin1());
  ini.close();
  ui::MainWindowOptions options;
  options.settingsPath = ini.fileName();
  options.mapPath = dir.filePath("map.ini");
  options.startDir = dir.path();
  ui::MainWindow window(options);
  window.show();

  // The root found and opened, termination board 1 selected and identified.
  Link& link = window.link();
  link.send.SendFrame({0x00, 0x0F});
  if (!WaitFor([&] { return link.registry.inUse(1); }, 5000)) return Fail("the root did not answer");
  window.DevTreeClick(1, 0);
  window.findChild<QPushButton*>("ButBrd1")->click();
  if (!WaitFor([&] { return link.registry.device(1).board(1).Valid != 0; }, 5000)) return Fail("no board 1");

  FlashSession& session = window.program().flash;
  session.Reset();
  session.setBlockSize(static_cast<int>(kBlock));
  for (std::uint32_t a = 0; a < kFlashSize; ++a) session.image()[a] = static_cast<std::uint8_t>(a * 7 + (a >> 9));
  // An optional argument writes fewer blocks, for a quick look.
  const std::uint32_t blocks = argc > 1 ? std::clamp<std::uint32_t>(std::atoi(argv[1]), 1, kFlashSize / kBlock)
                                        : kFlashSize / kBlock;
  session.Want(0, blocks * kBlock);
  session.setSendingOn(true);
  session.setMode(FlashMode::Write);
  link.request.requestMode = kWriteRequest;
  RoundTrips trips(*window.findChild<ui::TraceMemo*>("Memolog"));
  link.trace.setSink(&trips);
  ui::FlashProgressWindow progress(session, &window, [&window] { return window.endpoint().lastReadAt(); });
  QElapsedTimer t;
  t.start();
  progress.Run();
  const double seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
  if (!session.finished()) return Fail("the write did not finish");

  const double floor = blocks * FlashSession::kAnswerTickMs / 1000.0;
  std::printf("%u KiB termination firmware write over loopback (target within 3 %% of the floor)\n", blocks * kBlock / 1024);
  std::printf("blocks:   %u of %u bytes (%zu write requests sent)\n", blocks, kBlock,
              FlashWritesReceived(servers.ServerAt(0)));
  std::printf("time:     %.3f s\n", seconds);
  std::printf("floor:    %.3f s (blocks x %d ms)\n", floor, FlashSession::kAnswerTickMs);
  std::printf("ratio:    %.4f (%+.2f %%)\n", seconds / floor, (seconds / floor - 1) * 100);
  std::printf("per block over the floor: %.3f ms\n", (seconds - floor) * 1000 / blocks);
  trips.Print();
  servers.Stop();
  return 0;
}
