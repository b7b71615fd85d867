#pragma once
// Rounding of a non-negative quotient to the nearest integer, ties to even,
// in integers so that exact halves are seen as such.

#include <cstdint>

namespace varnel {

// num >= 0, den > 0.
constexpr std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den) {
  const std::int64_t q = num / den;
  const std::int64_t twice = 2 * (num % den);
  if (twice > den || (twice == den && q % 2 != 0)) return q + 1;
  return q;
}

}  // namespace varnel
