#pragma once
// The tool's exit statuses; scripts tell the failures apart by them.

namespace varnel::cli {

enum ExitStatus : int {
  kExitOk = 0,
  kExitLocalFailure = 1,  // the port is taken, the output file cannot be written
  kExitBadInput = 2,      // options, a file, or a device path that names nothing
  kExitNoAnswer = 3,      // the peer or a board did not answer in time
  kExitDeviceError = 4,   // an answer that reports or is an error
};

}  // namespace varnel::cli
