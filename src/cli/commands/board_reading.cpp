#include "cli/commands/board_reading.h"

namespace varnel::cli {

void SelectBoard(Session& session, int device, int slot) {
  RequestState& request = session.link().request;
  request.currentDevice = device;
  request.currentChannel = 0;
  request.selectedSlot = slot;
}

Outcome RequestAndWait(Session& session, const BoardRequestInput& input, const std::string& what) {
  Link& link = session.link();
  const RequestState& request = link.request;
  const TBRDS& board = link.registry.device(request.currentDevice).board(request.selectedSlot);
  const std::uint32_t before = board.Answers;
  const ClickResult click = ButRDClick(link, input, {nullptr, &session.program().eventLogLink});
  if (!click.error.empty()) return Failed(kExitLocalFailure, "request not composed: " + click.error);
  const auto failed = [&] { return link.status.colour() == kColourMaroon; };
  const bool answered = session.RunUntil(
      [&] { return failed() || board.Answers - before >= static_cast<std::uint32_t>(click.sent); },
      session.options().timeoutMs);
  if (failed()) return Failed(kExitDeviceError, what + " sent an answer that could not be read");
  if (!answered) {
    return Failed(kExitNoAnswer, "no answer from " + what + " (" + std::to_string(board.Answers - before) + " of " +
                                     std::to_string(click.sent) + " answers)");
  }
  return {};
}

}  // namespace varnel::cli
