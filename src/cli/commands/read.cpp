#include <QJsonDocument>

#include "cli/commands/board_reading.h"
#include "cli/commands/board_reports.h"
#include "cli/commands/commands.h"
#include "cli/run/find_device.h"

namespace varnel::cli {

namespace {

// The window's reads of each board, in the order its pages are shown.
std::vector<BoardRequestInput> ReadsOf(BoardChoice board) {
  BoardRequestInput firstPage;
  switch (board) {
    case BoardChoice::Modem: {
      BoardRequestInput channels;
      channels.modem.page = ModemPage::Channels;
      return {firstPage, channels};  // the firmware page reads the versions
    }
    case BoardChoice::Sl1:
    case BoardChoice::Sl2:
    case BoardChoice::Sl3: {
      BoardRequestInput subchannels;
      subchannels.terminationPage = TerminationPage::SubchannelState;
      return {firstPage, subchannels};
    }
    default: return {firstPage};
  }
}

std::vector<ReportSection> SectionsOf(BoardChoice board, const TBRDS& record, const TerminationShown& shown) {
  switch (board) {
    case BoardChoice::Modem: return ModemSections(record);
    case BoardChoice::Sl1:
    case BoardChoice::Sl2:
    case BoardChoice::Sl3: return TerminationSections(record, shown);
    case BoardChoice::Ap1:
    case BoardChoice::Ap2: return AmplifierSections(record);
    case BoardChoice::Power: return PowerSections(record);
  }
  return {};
}

}  // namespace

Outcome RunRead(Session& session, Progress& progress) {
  const FoundDevice found = FindNamedDevice(session, progress);
  if (found.device == 0) return found.failure;
  const CliOptions& o = session.options();
  const int slot = BoardSlot(o.board);
  const std::string& path = found.path;
  progress.Show("reading " + std::string(BoardName(o.board)) + " of " + path);
  SelectBoard(session, found.device, slot);
  session.ForgetTerminationShown();
  for (const BoardRequestInput& input : ReadsOf(o.board)) {
    Outcome step = RequestAndWait(session, input, "board " + std::string(BoardName(o.board)) + " of " + path);
    if (step.status != kExitOk) return step;
  }
  progress.Finish();
  const BoardReport report{BoardName(o.board), path,
                           SectionsOf(o.board, session.link().registry.device(found.device).board(slot),
                                      session.terminationShown())};
  PrintResult(o.json ? QJsonDocument(BoardReportJson(report)).toJson().toStdString() : BoardReportText(report));
  return {};
}

}  // namespace varnel::cli
