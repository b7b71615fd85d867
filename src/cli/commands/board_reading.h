#pragma once
// One board request as the window's read button sends it, and the wait for
// its answers: as many as requests went out, or an answer that failed to
// parse, or the timeout.

#include "boards/request_hub.h"
#include "cli/run/failure.h"
#include "cli/run/session.h"

namespace varnel::cli {

// The device and board become the current selection, as a click selects them.
void SelectBoard(Session& session, int device, int slot);

// Sends what input composes for the selected board and waits. what names the
// board in a failure line.
Outcome RequestAndWait(Session& session, const BoardRequestInput& input, const std::string& what);

}  // namespace varnel::cli
