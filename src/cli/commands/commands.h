#pragma once
// The tool's commands. Each prints its result on standard output and returns
// how it ended; the caller prints the failure line.

#include "cli/output/progress.h"
#include "cli/run/failure.h"
#include "cli/run/session.h"

namespace varnel::cli {

Outcome RunDiscover(Session& session, Progress& progress);
Outcome RunRead(Session& session, Progress& progress);
Outcome RunLog(Session& session, Progress& progress);
Outcome RunFirmware(Session& session, Progress& progress);

// The result on standard output, UTF-8.
void PrintResult(const std::string& text);

}  // namespace varnel::cli
