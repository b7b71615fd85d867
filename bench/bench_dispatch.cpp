// Prints two figures on demand (not a test): how many answers per second the
// core checks, matches and dispatches on one core, and what one trace line
// costs to append to the memo as the memo grows.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "ui/widgets/trace_memo.h"
#include "wire/frame.h"

using namespace varnel;
using Clock_ = std::chrono::steady_clock;

namespace {

class NullSink final : public DatagramSink {
 public:
  bool isActive() const override { return true; }
  void sendTo(const Bytes&, std::string_view, std::uint16_t) override {}
};

class NoViews final : public DiscoveryEvents {
 public:
  void DeviceAdded(int) override {}
  void DeviceNameKnown(int) override {}
  void BlockOpened(int) override {}
};

class CountingSink final : public TraceSink {
 public:
  std::size_t lines = 0;
  void appendLine(std::string_view) override { ++lines; }
};

Bytes Answer(Bytes frameWithoutChecksum) {
  frameWithoutChecksum.push_back(FrameChecksum(frameWithoutChecksum));
  return frameWithoutChecksum;
}

double Seconds(Clock_::time_point a, Clock_::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

void BenchDispatch() {
  ManualClock clock;
  NullSink sink;
  NoViews views;
  Program program(clock, sink, views);  // the real parsers behind the dispatcher
  Link& link = program.link;
  CountingSink trace;
  link.trace.setSink(&trace);
  // A known root block with the modem board selected, as during a read of
  // its channel page: modem channel states, identity answers, termination
  // board answers.
  const int dev = link.registry.AllocDevice();
  link.registry.device(dev).sendRoute = Route{1};
  link.registry.device(dev).idRoute = Route{1};
  link.request.currentDevice = dev;
  link.request.selectedSlot = kModemSlot;
  link.request.requestMode = kReadRequest;
  link.request.expectedCode = 0x15;

  const Bytes answers[] = {
      Answer({0x80, 0x41, 0x15, 0x60, 0x20, 0x60, 0x60, 0xD0, 0x05, 0x00, 0x23}),
      Answer({0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA, 0x20, 0x31}),
      Answer({0x80, 0x21, 0x05, 0x01, 0x00, 0x10, 0x20}),
  };
  const long rounds = std::getenv("BENCH_ROUNDS") ? std::atol(std::getenv("BENCH_ROUNDS")) : 1'000'000;
  const auto t0 = Clock_::now();
  for (long i = 0; i < rounds; ++i) link.dispatcher.DispatchAnswer(answers[i % 3]);
  const double s = Seconds(t0, Clock_::now());
  std::printf("dispatch: %ld answers in %.3f s = %.0f answers/s (target >= 1000000), %zu trace lines\n",
              rounds, s, rounds / s, trace.lines);
}

void BenchMemo() {
  ui::TraceMemo memo;
  memo.resize(800, 200);
  memo.show();
  const std::string line = "[12:34:56] << GET inf [14] 8041150102030405060708090A0B5E";
  long filled = 0;
  for (long target : {0L, 100'000L, 1'000'000L}) {
    for (; filled < target; ++filled) memo.appendLine(line);
    QApplication::processEvents();
    const int batch = 2000;
    const auto t0 = Clock_::now();
    for (int i = 0; i < batch; ++i) memo.appendLine(line);
    QApplication::processEvents();
    const double us = Seconds(t0, Clock_::now()) * 1e6 / batch;
    filled += batch;
    std::printf("memo: append with %ld lines held: %.2f us per line\n", target, us);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  BenchDispatch();
  BenchMemo();
  return 0;
}
