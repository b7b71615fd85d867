#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <limits>

#include "cli/commands/board_reading.h"
#include "cli/commands/commands.h"
#include "eventlog/log_file.h"
#include "eventlog/read_all_session.h"
#include "cli/run/find_device.h"

namespace varnel::cli {

namespace {

BoardRequestInput LogInput(RequestSender sender) {
  BoardRequestInput input;
  input.sender = sender;
  input.modem.page = ModemPage::Log;
  return input;
}

// The read-all loop of the log window, driven by the tool's clock. It asks
// again after its own pause; no new row for this long means no answer.
Outcome ReadEveryRow(Session& session, Progress& progress, const std::string& what) {
  EventLog& log = session.program().eventLog;
  Link& link = session.link();
  bool closed = false;
  ReadAllSession reader(link.trace, log,
                        {[&](int row) {
                           log.setCurrentRow(row);
                           log.setBatchCode(session.options().batchCode);
                           ButRDClick(link, LogInput(RequestSender::ButVKLogRD), {nullptr, &session.program().eventLogLink});
                         },
                         [&] { closed = true; }});
  int rowsRead = 0;
  int lastProgressMs = 0;
  int nowMs = 0;
  log.onRowsWritten = [&](int lastRow) {
    rowsRead = lastRow;
    lastProgressMs = nowMs;
    reader.BatchDone(lastRow);
  };
  QElapsedTimer started;
  started.start();
  reader.Start();
  const int stallMs = session.options().timeoutMs + ReadAllSession::kRepeatMs;
  const auto failed = [&] { return link.status.colour() == kColourMaroon; };
  bool stalled = false;
  session.RunUntil([&] { return closed || failed() || stalled; }, std::numeric_limits<int>::max(),
                   [&](int elapsed) {
                     reader.Tick(elapsed - nowMs);
                     nowMs = elapsed;
                     stalled = nowMs - lastProgressMs >= stallMs;
                     progress.Show(ProgressBarText(rowsRead, log.count(), started.elapsed() / 1000.0));
                   });
  log.onRowsWritten = nullptr;
  reader.Stop();
  if (failed()) return Failed(kExitDeviceError, what + " sent a log answer that could not be read");
  if (!closed) {
    return Failed(kExitNoAnswer, "no answer from " + what + " after " + std::to_string(rowsRead) + " of " +
                                     std::to_string(log.count()) + " entries");
  }
  return {};
}

}  // namespace

Outcome RunLog(Session& session, Progress& progress) {
  const FoundDevice found = FindNamedDevice(session, progress);
  if (found.device == 0) return found.failure;
  const CliOptions& o = session.options();
  const std::string& path = found.path;
  const std::string what = "the modem board of " + path;
  progress.Show("opening the event log of " + path);
  SelectBoard(session, found.device, kModemSlot);
  EventLog& log = session.program().eventLog;
  if (Outcome opened = RequestAndWait(session, LogInput(RequestSender::ButVKLog), what);
      opened.status != kExitOk) {
    return opened;
  }
  if (log.state() != kLogOpen) return Failed(kExitDeviceError, what + " did not open its event log");
  if (Outcome read = ReadEveryRow(session, progress, what); read.status != kExitOk) return read;
  progress.Finish();
  if (!SaveLog(o.out, log)) return Failed(kExitLocalFailure, "cannot write " + o.out);
  if (o.json) {
    const QJsonObject result{{"device", QString::fromStdString(path)},
                             {"entries", log.count()},
                             {"first_index", log.first()},
                             {"file", QString::fromStdString(o.out)}};
    PrintResult(QJsonDocument(result).toJson().toStdString());
  } else {
    PrintResult(std::to_string(log.count()) + " entries of " + path + " written to " + o.out + "\n");
  }
  return {};
}

}  // namespace varnel::cli
