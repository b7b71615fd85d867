#pragma once
// Slow, repeating movement of measured values (levels, temperatures), so the
// program's views change while nobody touches the emulator.

#include <cstdint>

namespace varnel::sim {

// Remainder and quotient rounded towards minus infinity, for times before the epoch.
std::int64_t FloorMod(std::int64_t value, std::int64_t modulus);
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor);

// -2..+2 along a triangle of eight steps of step_seconds each; phase shifts it by
// whole steps, so neighbours do not move in step.
int Drift(std::int64_t now, std::int64_t step_seconds, int phase);

}  // namespace varnel::sim
