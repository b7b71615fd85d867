#pragma once
// The device named on the command line, found by exploring until its path or
// ID Route resolves, or until exploration has nothing left to probe.

#include "cli/output/progress.h"
#include "cli/run/failure.h"
#include "cli/run/session.h"

namespace varnel::cli {

struct FoundDevice {
  int device = 0;  // 0 on failure
  std::string path;  // its names from the top, as printed
  Outcome failure;
};

FoundDevice FindNamedDevice(Session& session, Progress& progress);

}  // namespace varnel::cli
