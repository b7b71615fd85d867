// Times the long transfers through the whole program against the emulator
// on loopback, first over a clean link, then over a bad HF link (20 % of the
// answers lost, 10 % repeated, 10 % held back behind the next, 5 % with a
// broken checksum, from a fixed seed): a termination firmware write, the
// termination configuration read, a modem program write and the modem event
// log read whole. After each pass the emulator is asked directly what it
// holds, and each result is compared with what was sent.
//
//   bench_transfers_faulty [FLASH_BLOCKS [MODEM_BYTES [SEED]]]
//
// Defaults: 2048 blocks of 512 bytes (1 MiB) and 2,097,151 bytes. A lost
// flash answer costs the session's 10 s repeat, so the faulty 1 MiB write
// takes hours; a smaller FLASH_BLOCKS gives a quick look.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bench_wait.h"
#include "eventlog/event_log.h"
#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"
#include "ui/boards/modem/firmware_window.h"
#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/log_read_dialog.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/boards/termination/flash_window.h"
#include "ui/main_window/main_window.h"

using namespace varnel;

namespace {

constexpr std::uint32_t kBlock = FlashSession::kFirmwareBlock;
constexpr std::uint32_t kConfigAddress = 0xE0000;
constexpr int kLogEntries = 1023;
constexpr int kBatchCode = 7;  // 128 entries a batch

// Asks again until done, as an operator would over a bad link.
bool Until(const std::function<void()>& ask, const std::function<bool()>& done) {
  for (int i = 0; i < 30 && !done(); ++i) {
    ask();
    WaitFor(done, 1500);
  }
  return done();
}

struct Pass {
  const char* name;
  const char* address;
  int localPort;
  bool faulty;
};

class Bench {
 public:
  Bench(const Pass& pass, std::uint32_t flashBlocks, std::size_t modemBytes, std::uint32_t seed,
        const QString& dir)
      : pass_(pass), flashBlocks_(flashBlocks), modemBytes_(modemBytes), seed_(seed), dir_(dir) {}

  bool Run() {
    const std::string saved = (dir_ + "/" + pass_.name).toStdString();
    std::string ini = std::string(pass_.faulty ? "[sim]\nfault_drop=20\nfault_duplicate=10\nfault_reorder=10\n"
                                                 "fault_corrupt=5\n"
                                               : "") +
                      "[root.bench]\naddress=" + pass_.address + "\nid=1\nname=Bench\nsl_slots=1\nmodem_log=" +
                      std::to_string(kLogEntries) + "\nmodem_log_rate=0\nmodem_fw_save=" + saved + "\n";
    sim::NetworksBuilt built = sim::NetworksFromIni(ini);
    if (!built.error.empty()) return Fail(built.error.c_str());
    sim::NetworkServers servers(std::move(built.networks), {}, seed_);
    if (!servers.Start().empty()) return Fail("the emulator cannot bind its address");

    QFile settings(dir_ + "/" + pass_.name + ".ini");
    if (!settings.open(QIODevice::WriteOnly)) return Fail("no settings file");
    settings.write(QString("[NET]\r\nIP=%1\r\nSRVPORT=%2\r\n").arg(pass_.address).arg(pass_.localPort).toLatin1());
    settings.close();
    ui::MainWindowOptions options;
    options.settingsPath = settings.fileName();
    options.mapPath = dir_ + "/map.ini";
    options.startDir = dir_;
    options.commonIntervalMs = 1000;  // the polling as good as off
    ui::MainWindow window(options);
    window.show();
    window_ = &window;

    Link& link = window.link();
    if (!Until([&] { link.send.SendFrame({0x00, 0x0F}); }, [&] { return link.registry.inUse(1); }))
      return Fail("the root did not answer");
    window.DevTreeClick(1, 0);
    if (!Until([&] { window.findChild<QPushButton*>("ButBrd1")->click(); },
               [&] { return link.registry.device(1).board(1).Valid != 0; }))
      return Fail("no termination board 1");

    std::printf("%s link:\n", pass_.name);
    const Bytes flashImage = FlashWrite();
    const Bytes config = ConfigRead();
    const Bytes modemImage = ModemWrite();
    const bool logRead = LogRead();
    const std::vector<LogRow> shown = ShownRows();
    window_ = nullptr;

    // The emulator's own account, past the link.
    servers.Stop();
    sim::DeviceBehaviour& board = *servers.NetworkAt(0).Root().behaviour;
    Verdict("termination firmware", flashImage == BoardFlash(board, 0, flashImage.size()));
    Verdict("configuration", config.size() == 32 && config == BoardFlash(board, kConfigAddress, 32));
    std::ifstream in(saved + ".mcu", std::ios::binary);
    Verdict("modem program", Bytes(std::istreambuf_iterator<char>(in), {}) == modemImage);
    Verdict("event log", logRead && shown == CleanRows(board, link.trace));
    return ok_;
  }

 private:
  static bool Fail(const char* what) {
    std::fprintf(stderr, "bench_transfers_faulty: %s\n", what);
    return false;
  }
  void Verdict(const char* what, bool same) {
    std::printf("  %-22s %s\n", what, same ? "arrived byte for byte" : "DIFFERS");
    ok_ = ok_ && same;
  }
  void Time(const char* what, const QElapsedTimer& t, bool done, const std::string& extra = {}) {
    std::printf("  %-22s %9.3f s%s%s\n", what, static_cast<double>(t.nsecsElapsed()) / 1e9,
                done ? "" : "  NOT FINISHED", extra.c_str());
    ok_ = ok_ && done;
  }

  void Selected(int slot) {
    RequestState& r = window_->link().request;
    r.currentDevice = 1;
    r.selectedSlot = slot;
    r.requestMode = kWriteRequest;
  }

  // Shows the session's progress window until the transfer ends; times it.
  template <typename Window, typename Session>
  bool Timed(Session& session, int slot, const char* what, const std::string& extra = {}) {
    Selected(slot);
    Window progress(session, window_);
    QElapsedTimer t;
    t.start();
    progress.Run();
    Time(what, t, session.finished(), extra);
    return session.finished();
  }

  Bytes FlashWrite() {
    FlashSession& session = window_->program().flash;
    session.Reset();
    session.setBlockSize(static_cast<int>(kBlock));
    Bytes image(flashBlocks_ * kBlock);
    for (std::size_t a = 0; a < image.size(); ++a) image[a] = static_cast<std::uint8_t>(a * 7 + (a >> 9));
    std::copy(image.begin(), image.end(), session.image().begin());
    session.Want(0, static_cast<std::uint32_t>(image.size()));
    session.setSendingOn(true);
    session.setMode(FlashMode::Write);
    Timed<ui::FlashProgressWindow>(session, 1, "termination firmware",
                                   "  (" + std::to_string(flashBlocks_) + " blocks of 512)");
    return image;
  }

  Bytes ConfigRead() {
    FlashSession& session = window_->program().flash;
    session.Reset();
    session.setBlockSize(FlashSession::kConfigBlock);
    session.Want(kConfigAddress, 32);
    session.setSendingOn(true);
    session.setMode(FlashMode::Read);
    if (!Timed<ui::FlashProgressWindow>(session, 1, "configuration read")) return {};
    return Bytes(session.image().begin() + kConfigAddress, session.image().begin() + kConfigAddress + 32);
  }

  Bytes ModemWrite() {
    Bytes image(modemBytes_);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 31 + i / 997);
    ModemFirmwareSession& session = window_->program().modemFirmware;
    session.Prepare(ModemFirmwareKind::Mcu, image);
    Timed<ui::ModemFirmwareWindow>(session, 4, "modem program", "  (" + std::to_string(modemBytes_) + " bytes)");
    return image;
  }

  bool LogRead() {
    auto* panel = window_->findChild<ui::ModemPanel*>("PanelVK");
    const EventLog& log = window_->program().eventLog;
    if (!Until([&] { window_->findChild<QPushButton*>("ButBrd4")->click(); },
               [&] { return panel->version->text().startsWith("Версия программы MCU:"); }))
      return Fail("no modem board");
    panel->tabs->setCurrentIndex(ui::ModemPanel::kLog);
    if (!Until([&] { panel->log->open->click(); }, [&] { return log.state() == kLogOpen; }))
      return Fail("the log did not open");
    panel->log->batch->setCurrentIndex(kBatchCode);
    QElapsedTimer t;
    t.start();
    panel->log->readAll->click();
    auto* dialog = window_->findChild<ui::LogReadDialog*>("TFVKlog");
    const bool done = dialog != nullptr && WaitFor([&] { return !dialog->isVisible(); }, 3600 * 1000);
    Time("event log read whole", t, done, "  (" + std::to_string(log.count()) + " entries, 128 a batch)");
    return done;
  }

  std::vector<LogRow> ShownRows() const {
    const EventLog& log = window_->program().eventLog;
    std::vector<LogRow> rows;
    for (int r = 1; r < log.rowCount(); ++r) rows.push_back(log.row(r));
    return rows;
  }

  static Bytes BoardFlash(sim::DeviceBehaviour& board, std::uint32_t address, std::size_t count) {
    Bytes out;
    for (std::uint32_t a = address; out.size() < count; a += kBlock) {
      const auto reply = board.BoardCommand(
          0x05, sim::Bytes{0x10, static_cast<std::uint8_t>(a >> 16), static_cast<std::uint8_t>(a >> 8),
                           static_cast<std::uint8_t>(a), kBlock / 4 - 1});
      if (!reply.body || reply.body->size() != 4 + kBlock + 1) return {};
      out.insert(out.end(), reply.body->begin() + 4, reply.body->end() - 1);
    }
    out.resize(count);
    return out;
  }

  // The rows the program makes of the board's clean answers.
  static std::vector<LogRow> CleanRows(sim::DeviceBehaviour& board, TraceLog& trace) {
    RequestState request;
    request.currentDevice = 1;
    EventLog clean(trace, request);
    const auto ask = [&](const std::optional<Bytes>& payload) {
      const auto reply = board.BoardCommand(0x04, *payload);
      return reply.body && clean.GetLogVK(1, *reply.body);
    };
    if (!ask(clean.Compose(LogControl::Open))) return {};
    clean.setBatchCode(kBatchCode);
    for (int row = 1; row <= clean.count(); row += 1 << kBatchCode) {
      clean.setCurrentRow(row);
      if (!ask(clean.Compose(LogControl::Batch))) return {};
    }
    std::vector<LogRow> rows;
    for (int r = 1; r < clean.rowCount(); ++r) rows.push_back(clean.row(r));
    return rows;
  }

  Pass pass_;
  std::uint32_t flashBlocks_;
  std::size_t modemBytes_;
  std::uint32_t seed_;
  QString dir_;
  ui::MainWindow* window_ = nullptr;
  bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  setvbuf(stdout, nullptr, _IOLBF, 0);
  const std::uint32_t flashBlocks =
      argc > 1 ? std::clamp<std::uint32_t>(std::atoi(argv[1]), 1, kFlashSize / kBlock) : kFlashSize / kBlock;
  const std::size_t modemBytes =
      argc > 2 ? std::clamp<std::size_t>(std::atol(argv[2]), 1, kModemImageMaxBytes) : kModemImageMaxBytes;
  const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::atol(argv[3]) : 7);
  QTemporaryDir dir;
  std::printf("bad link: 20 %% of answers lost, 10 %% repeated, 10 %% reordered, 5 %% broken checksums, seed %u\n",
              seed);
  bool ok = true;
  for (const Pass& pass : {Pass{"clean", "127.0.0.54", 20054, false}, Pass{"bad", "127.0.0.55", 20055, true}}) {
    ok = Bench(pass, flashBlocks, modemBytes, seed, dir.path()).Run() && ok;
  }
  return ok ? 0 : 1;
}
