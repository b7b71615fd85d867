#include "boards/termination/analog_level.h"

#include <algorithm>
#include <cmath>

#include "wire/byte_utils.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr double kZeroDbmCode = 23170.0;
constexpr std::size_t kRawLevelBytes = 5;  // bytes 1..5

// 0 has no logarithm.
std::uint16_t LevelCode(ByteView data) { return std::max<std::uint16_t>(WordOf(data[1], data[2]), 1); }

double LevelDbm(std::uint16_t code) { return 20.0 * std::log10(code / kZeroDbmCode); }

}  // namespace

std::string AnalogLevelText(ByteView data, bool debug) {
  if (!debug || data.size() < 3) return "-";
  const std::size_t raw = std::min(kRawLevelBytes, data.size() - 1);
  const std::uint16_t code = LevelCode(data);
  return "0x" + BytesToHex(data.data() + 1, raw) + " " + std::to_string(code) + " " + FixedText(2, LevelDbm(code)) +
         "dBm";
}

}  // namespace varnel
