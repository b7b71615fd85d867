#include "boards/amplifier/amplifier_alarms.h"

#include <array>

#include "wire/byte_utils.h"

namespace varnel {

namespace {

constexpr std::array<std::string_view, 4> kNames{
    "Обрыв линии (A1)",
    "-",
    "Нет сигнала на входе УМ (A3)",
    "Высокая температура (A4)",
};

}  // namespace

std::string_view AmplifierAlarmName(int bit) {
  if (bit < kFirstAmplifierAlarm || bit > kLastAmplifierAlarm) return {};
  return kNames[static_cast<std::size_t>(bit - kFirstAmplifierAlarm)];
}

std::string AmplifierAlarmLine(std::uint8_t alarms) {
  std::string list;
  for (int bit = kFirstAmplifierAlarm; bit <= kLastAmplifierAlarm; ++bit) {
    if (Bit8(alarms, bit)) (list += "\r    -") += AmplifierAlarmName(bit);
  }
  return list.empty() ? "Аварии: нет" : " Аварии: " + list;
}

}  // namespace varnel
