#include "model/amplifier_alarm_names.h"

#include <array>

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

}  // namespace varnel
