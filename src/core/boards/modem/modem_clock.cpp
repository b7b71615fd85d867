#include "boards/modem/modem_clock.h"

#include <cstdlib>

#include "model/device_record.h"
#include "wire/str_utils.h"
#include "wire/time_utils.h"

namespace varnel {

namespace {

constexpr std::uint32_t kReadError = 62;
constexpr std::uint32_t kNotSet = 63;

}  // namespace

ClockReading DecodeClock(std::uint32_t c, std::int64_t nowLocal) {
  const std::uint32_t t = c & 0x07FFFFFF;
  ClockReading r;
  r.seconds = ExpandDeviceTime(t, nowLocal);
  const std::uint32_t marker = (t >> 21) & 0x3F;
  if (marker == kReadError) {
    r.text = "Ошибка чтения";
  } else if (marker == kNotSet) {
    r.text = "Время не установлено";
  } else {
    r.text = DateTimeText(LocalFromSeconds(r.seconds));
  }
  if (c & 0x80000000u) r.text += ", батарейка разряжена";
  return r;
}

std::optional<std::uint8_t> CorrectionByte(int k) {
  if (std::abs(k) > 0x7F) return std::nullopt;
  return static_cast<std::uint8_t>(std::abs(k) | (k > 0 ? 0x80 : 0));
}

int CorrectionFromByte(std::uint8_t b) { return (b & 0x80) ? (b & 0x7F) : -(b & 0x7F); }

std::uint32_t ClockStamp(std::int64_t nowLocal) {
  std::int64_t s = nowLocal % kDeviceTimeCycle;
  if (s < 0) s += kDeviceTimeCycle;
  return static_cast<std::uint32_t>(s);
}

int StepCorrection(int k, bool up) {
  if (up) return k < kMaxCorrection ? k + 1 : k;
  return k > kMinCorrection ? k - 1 : k;
}

std::string CorrectionLabelText(int k, bool debug) {
  const double ppm = (1.0 / (1.0 - k / 117.6) - 1.0) * 60.3;
  std::string text = "Коррекция хода: " + FixedText(1, ppm) + "ppm";
  if (debug) {
    text += "                  V=" + std::to_string(k) + " C=0x" + HexText(CorrectionByte(k).value_or(0), 2);
  }
  return text;
}

std::string ClockLabelText(std::uint32_t clockValue, const std::string& clockText) {
  return clockValue != kClockNotRead ? clockText : "Время не прочитано";
}

}  // namespace varnel
