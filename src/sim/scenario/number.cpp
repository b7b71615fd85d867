#include "sim/scenario/number.h"

#include <charconv>

namespace varnel::sim {

std::optional<unsigned> ParseNumber(std::string_view text, unsigned low, unsigned high) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace varnel::sim
