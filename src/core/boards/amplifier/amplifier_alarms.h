#pragma once
// Names of the amplifier alarms, bits 1..4 of its alarm byte; the event
// log names the alarms of an amplifier's events the same way.

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

constexpr int kFirstAmplifierAlarm = 1;
constexpr int kLastAmplifierAlarm = 4;

// Empty for a bit outside 1..4.
std::string_view AmplifierAlarmName(int bit);

// The alarm line of the amplifier view: " Аварии: " and a line per alarm,
// or "Аварии: нет".
std::string AmplifierAlarmLine(std::uint8_t alarms);

}  // namespace varnel
