#pragma once
// Names of the amplifier alarms, bits 1..4 of an amplifier's alarm byte. The
// amplifier view and the event log name them alike.

#include <string_view>

namespace varnel {

constexpr int kFirstAmplifierAlarm = 1;
constexpr int kLastAmplifierAlarm = 4;

// Empty for a bit outside 1..4.
std::string_view AmplifierAlarmName(int bit);

}  // namespace varnel
