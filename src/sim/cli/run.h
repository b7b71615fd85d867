#pragma once
// The whole emulator program behind main: options in, exit status out.

namespace varnel::sim {

// Serves until SIGINT or SIGTERM; returns 2 for bad options or a bad scenario, 1 when
// a server cannot start, 0 otherwise.
int RunEmulator(int argc, char** argv);

}  // namespace varnel::sim
