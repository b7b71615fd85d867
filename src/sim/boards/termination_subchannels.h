#pragma once
// The subchannel state a termination board reports (answer kind 2): how its line
// rate is split among the services, traffic and error counters.

#include <cstdint>

#include "sim/boards/termination_settings.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

// What the services leave for data in one direction, in bit/s; may be negative.
int DataRate(const TerminationSettings& settings, unsigned line_rate);

// Digital boards: the full 43-byte form with 16-bit line rates and the PoE word;
// analog boards: 25 bytes with the level code. `elapsed` counts the seconds since
// the counters were last reset.
Bytes SubchannelAnswer(const TerminationSettings& settings, std::int64_t elapsed);

}  // namespace varnel::sim
