#include "boards/modem/modem_state_answer.h"

#include <cmath>

#include "boards/modem/modem_encoding.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr int kStageStateShort = 6;
constexpr std::size_t kDigitalLength = 9;
constexpr const char* kNone = "---";

std::uint32_t ReceiverState(std::uint8_t d1) {
  const bool b5 = (d1 >> 5) & 1, b6 = (d1 >> 6) & 1, b7 = (d1 >> 7) & 1;
  if (b6) return b5 ? 1 : 2;
  return b7 ? 3 : 4;
}

std::string RateText(std::uint8_t b, std::uint8_t ver1) {
  return FixedText(1, RateFromByte(b, ver1)) + " кбит/с";
}

// Element k of the module (numbered from 1).
std::uint32_t& V(T_MODULES& m, int k) { return m.Values.at(static_cast<std::size_t>(k - 1)); }
std::string& T(T_MODULES& m, int k) { return m.Texts.at(static_cast<std::size_t>(k - 1)); }

void StoreShortForm(T_MODULES& m, std::uint8_t d1) {
  if ((d1 >> 1) & 1) {
    V(m, 3) = kKindTransit;
    const bool fromKo = d1 & 1;
    T(m, 6) = fromKo ? "есть" : "нет";
    V(m, 6) = fromKo ? 2 : 1;
  } else {
    V(m, 3) = kKindAnalog;
    V(m, 6) = 0;
    T(m, 6) = kNone;
  }
  for (int k = 7; k <= 11; ++k) T(m, k) = kNone;
}

void StoreLongForm(T_MODULES& m, ByteView data, std::uint8_t ver1) {
  V(m, 3) = kKindDigital;
  V(m, 6) = 0;
  T(m, 6) = kNone;
  T(m, 7) = RateText(data[3], ver1);
  T(m, 8) = RateText(data[4], ver1);
  T(m, 9) = FixedText(1, data[5] / 8.0) + " дБ";
  const auto errors = static_cast<std::uint16_t>(data[7] * 256 + data[6]);
  V(m, 10) = errors;
  T(m, 10) = ErrorCountText(errors);
  T(m, 11) = ErrorRatioText(data[8]);
}

}  // namespace

std::string InputLevelText(std::uint8_t b) {
  const char* prefix = b == 0 ? ">" : b == 255 ? "<" : "";
  return prefix + FixedText(1, -(b * 2) / 10.0) + " дБ";
}

std::string ErrorCountText(std::uint16_t n) { return n == 65535 ? ">65534" : std::to_string(n); }

std::string ErrorRatioText(std::uint8_t b) {
  const int n = b & 0x7F;
  int e = n / 10 + 1;
  int k = 10 - n % 10;
  if (k == 10) {
    k = 0;
    --e;
  }
  const std::string text = FixedText(1, std::pow(10.0, k / 10.0)) + "•10e-" + std::to_string(e);
  return (b & 0x80) ? "<" + text : text;
}

std::optional<int> StoreChannelState(TBRDS& board, ByteView data) {
  if (data.size() < 3) return kStageStateShort;
  const int c = data[0] - 0x14;
  T_MODULES& m = board.Modules.at(static_cast<std::size_t>(c - 1));
  const std::uint8_t d1 = data[1];
  V(m, 1) = ReceiverState(d1);
  V(m, 12) = (d1 >> 3) & 1;
  T(m, 12) = V(m, 12) ? "есть" : "нет";
  V(m, 2) = data[2];
  T(m, 2) = InputLevelText(data[2]);
  if (data.size() < kDigitalLength) {
    StoreShortForm(m, d1);
  } else {
    StoreLongForm(m, data, board.Ver1);
  }
  return std::nullopt;
}

}  // namespace varnel
