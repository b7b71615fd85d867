#pragma once
// The time the emulated boards go by. Injected, so tests can set it.

#include <cstdint>
#include <functional>

namespace varnel::sim {

// Seconds on the Unix scale of the local wall-clock time: the scale the program
// sets the board clocks by.
using LocalClock = std::function<std::int64_t()>;

LocalClock SystemLocalClock();

}  // namespace varnel::sim
