// Prints what it costs a flash session's tick to choose the next block on a
// 1 MiB job with half of it confirmed (target <= 20 us a tick): the address
// map warm and cold, a whole tick with its acknowledgement, and for
// comparison a plain scan of one flag byte per address.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "flash/session.h"

using namespace varnel;
using Clock_ = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t kHalf = kFlashSize / 2;
constexpr std::uint32_t kBlock = 512;
volatile std::uint64_t g_sink = 0;  // keeps the results alive

double MicrosSince(Clock_::time_point t0, long n) {
  return std::chrono::duration<double, std::micro>(Clock_::now() - t0).count() / static_cast<double>(n);
}

void HalfDone(AddressMap& map) {
  map.Clear();
  map.Want(0, kFlashSize);
  map.MarkDone(0, kHalf);
}

// Each tick chooses the block, then its acknowledgement marks it done.
void BenchMapWarm() {
  AddressMap map;
  HalfDone(map);
  const long ticks = 1000;
  const auto t0 = Clock_::now();
  for (long i = 0; i < ticks; ++i) {
    const std::uint32_t next = map.LowestPending().value_or(0);
    g_sink = g_sink + next + map.total() + map.done() + map.pending();
    map.MarkDone(next, kBlock);
  }
  std::printf("map, tick after tick:            %8.3f us per tick (choice + mark done)\n", MicrosSince(t0, ticks));
}

// The worst case: the search starts from address 0 and skips the half done.
void BenchMapCold() {
  AddressMap map;
  double total = 0;
  const int rounds = 200;
  for (int i = 0; i < rounds; ++i) {
    HalfDone(map);
    const auto t0 = Clock_::now();
    g_sink = g_sink + map.LowestPending().value_or(0) + map.pending();
    total += MicrosSince(t0, 1);
  }
  std::printf("map, first choice (cold):        %8.3f us per tick\n", total / rounds);
}

// One flag byte per address, scanned whole from the top down every tick.
void BenchPlainScan() {
  std::vector<std::uint8_t> wanted(kFlashSize, 1), done(kFlashSize, 0);
  std::fill_n(done.begin(), kHalf, 1);
  const long ticks = 50;
  const auto t0 = Clock_::now();
  for (long t = 0; t < ticks; ++t) {
    std::uint32_t all = 0, confirmed = 0, pending = 0, lowest = 0;
    for (std::uint32_t a = kFlashSize; a-- > 0;) {
      all += wanted[a];
      confirmed += wanted[a] & done[a];
      if (wanted[a] && !done[a]) {
        ++pending;
        lowest = a;
      }
    }
    g_sink = g_sink + all + confirmed + pending + lowest;
    done[lowest] = 1;  // so that no two scans are alike
  }
  std::printf("plain byte-per-address scan:     %8.3f us per tick\n", MicrosSince(t0, ticks));
}

struct NullSender final : BoardCommandSender {
  Bytes last;
  void SendBoardCommand(int, int, const Bytes& payload) override { last = payload; }
};

struct NullWindow final : FlashWindow {
  void RestartTimer(int) override {}
  void StopTimer() override {}
  void CloseWindow() override {}
  void ClearMemo() override {}
  void AppendMemo(std::string_view line) override { g_sink = g_sink + line.size(); }
};

// A tick of a firmware write and the acknowledgement of the block it sent.
void TickAndAcknowledge(FlashSession& session, const NullSender& sender) {
  session.Tick();
  const Bytes& w = sender.last;
  session.OnFlashAnswer(Bytes{w[0], w[1], w[2], w[3], w.back()}, 1, 5);
}

// The whole tick: choice, progress text, a 512-byte write request with its
// CRC and its memo line, then the acknowledgement.
void BenchSessionTick() {
  ManualClock clock;
  TraceLog trace(clock);
  RequestState request;
  request.currentDevice = 1;
  request.selectedSlot = 5;
  NullSender sender;
  NullWindow window;
  FlashSession session(trace, request, sender);
  session.Reset();
  session.setBlockSize(kBlock);
  session.Want(0, kFlashSize);
  session.setMode(FlashMode::Write);
  session.setSendingOn(true);
  session.Show(window);
  while (session.map().done() < kHalf) TickAndAcknowledge(session, sender);
  const long ticks = 500;
  const auto t0 = Clock_::now();
  for (long i = 0; i < ticks; ++i) TickAndAcknowledge(session, sender);
  std::printf("session, write tick + ack:       %8.3f us per tick (%s)\n", MicrosSince(t0, ticks),
              session.status().c_str());
}

}  // namespace

int main() {
  std::printf("1 MiB job, half of it confirmed; target <= 20 us per tick\n");
  BenchMapWarm();
  BenchMapCold();
  BenchSessionTick();
  BenchPlainScan();
  return 0;
}
