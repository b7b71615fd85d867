#pragma once
// A command's end: its exit status and, on failure, the one line for
// standard error.

#include <string>

#include "cli/options/exit_status.h"

namespace varnel::cli {

struct Outcome {
  int status = kExitOk;
  std::string error;
};

inline Outcome Failed(int status, std::string line) { return {status, std::move(line)}; }

}  // namespace varnel::cli
