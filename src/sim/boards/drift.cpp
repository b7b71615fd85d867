#include "sim/boards/drift.h"

namespace varnel::sim {

namespace {

constexpr int kSteps = 8;
constexpr int kAmplitude = 2;

}  // namespace

std::int64_t FloorMod(std::int64_t value, std::int64_t modulus) {
  return ((value % modulus) + modulus) % modulus;
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  return (value - FloorMod(value, divisor)) / divisor;
}

int Drift(std::int64_t now, std::int64_t step_seconds, int phase) {
  const auto step = static_cast<int>(FloorMod(FloorDiv(now, step_seconds) + phase, kSteps));
  const int triangle = step <= kSteps / 2 ? step : kSteps - step;
  return triangle - kAmplitude;
}

}  // namespace varnel::sim
