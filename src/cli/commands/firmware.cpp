#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <limits>

#include "cli/commands/board_reading.h"
#include "cli/commands/commands.h"
#include "cli/run/find_device.h"
#include "firmware/modem_image.h"

namespace varnel::cli {

namespace {

using State = ModemFirmwareState;

std::string BlockText(const ModemFirmwareSession& fw) {
  return "block " + std::to_string(fw.doneBlocks() + 1) + " of " + std::to_string(fw.totalBlocks());
}

// One line for a session the board stopped.
Outcome Refused(const ModemFirmwareSession& fw, const std::string& what) {
  switch (fw.failure()) {
    case State::SequenceBroken:
      return Failed(kExitDeviceError, what + " reported a broken block sequence at " + BlockText(fw));
    case State::BoardEnded:
      return Failed(kExitDeviceError, what + " ended the transfer early at " + BlockText(fw));
    case State::NoAnswer:
      return Failed(kExitNoAnswer, "no answer from " + what + " at " + BlockText(fw));
    default:
      return Failed(kExitDeviceError, what + " sent a firmware answer that could not be read at " + BlockText(fw));
  }
}

// The start answer comes at once; a block in flight is repeated by the
// session after its own timeout (long for the first block), so the tool
// gives up only when nothing moved for that time plus --timeout.
std::uint64_t PatienceMs(const ModemFirmwareSession& fw, int timeoutMs) {
  return fw.state() == State::Starting ? std::uint64_t(timeoutMs) : std::uint64_t(fw.timeoutMs()) + timeoutMs;
}

// The transfer driven by the tool's clock, as the progress window drives it.
Outcome Transfer(Session& session, Progress& progress, const std::string& what) {
  ModemFirmwareSession& fw = session.program().modemFirmware;
  const int timeoutMs = session.options().timeoutMs;
  // Answers reach the session only while a request of the operator's runs.
  session.link().request.requestMode = kWriteRequest;
  fw.Show();
  QElapsedTimer started;
  started.start();
  std::uint32_t reached = 0;  // the start answer and every acknowledged block count one
  int movedAtMs = 0;
  bool stalled = false;
  const auto ended = [&] { return fw.finished() || fw.state() == State::Stopped; };
  session.RunUntil([&] { return ended() || stalled; }, std::numeric_limits<int>::max(), [&](int elapsed) {
    fw.Tick();
    const std::uint32_t now = fw.doneBlocks() + (fw.state() == State::Starting ? 0 : 1);
    if (now != reached) {
      reached = now;
      movedAtMs = elapsed;
    }
    stalled = std::uint64_t(elapsed - movedAtMs) >= PatienceMs(fw, timeoutMs);
    progress.Show(ProgressBarText(static_cast<int>(fw.doneBlocks()), static_cast<int>(fw.totalBlocks()),
                                  started.elapsed() / 1000.0));
  });
  fw.Close();
  if (fw.finished()) return {};
  if (fw.state() == State::Stopped) return Refused(fw, what);
  if (reached == 0) return Failed(kExitNoAnswer, "no answer from " + what + " to the start of the transfer");
  return Failed(kExitNoAnswer, "no answer from " + what + " to " + BlockText(fw));
}

}  // namespace

Outcome RunFirmware(Session& session, Progress& progress) {
  const CliOptions& o = session.options();
  // Read before anything is sent; the file was checked while parsing, but
  // may have changed since.
  ModemImageLoad load = LoadModemImage(o.firmwareFile);
  if (!load.image) return Failed(kExitBadInput, "firmware file cannot be read: " + o.firmwareFile);
  const std::size_t bytes = load.image->size();
  const FoundDevice found = FindNamedDevice(session, progress);
  if (found.device == 0) return found.failure;
  const std::string what = "the modem board of " + found.path;
  const char* kind = o.fpga ? "fpga" : "mcu";
  progress.Show(std::string("writing the ") + kind + " firmware of " + found.path);
  SelectBoard(session, found.device, kModemSlot);
  ModemFirmwareSession& fw = session.program().modemFirmware;
  fw.Prepare(o.fpga ? ModemFirmwareKind::Fpga : ModemFirmwareKind::Mcu, std::move(*load.image));
  QElapsedTimer started;
  started.start();
  if (Outcome sent = Transfer(session, progress, what); sent.status != kExitOk) return sent;
  progress.Finish();
  const double seconds = started.elapsed() / 1000.0;
  if (o.json) {
    const QJsonObject result{{"device", QString::fromStdString(found.path)},
                             {"kind", kind},
                             {"file", QString::fromStdString(o.firmwareFile)},
                             {"bytes", static_cast<qint64>(bytes)},
                             {"blocks", static_cast<qint64>(fw.totalBlocks())},
                             {"seconds", seconds}};
    PrintResult(QJsonDocument(result).toJson().toStdString());
  } else {
    PrintResult(std::to_string(bytes) + " bytes of " + kind + " firmware written to " + what + " in " +
                std::to_string(fw.totalBlocks()) + " blocks\n");
  }
  return {};
}

}  // namespace varnel::cli
