#pragma once
// The amplifier view's alarm line, from the alarm names the event log shares.

#include <cstdint>
#include <string>

#include "model/amplifier_alarm_names.h"

namespace varnel {

// The alarm line of the amplifier view: " Аварии: " and a line per alarm,
// or "Аварии: нет".
std::string AmplifierAlarmLine(std::uint8_t alarms);

}  // namespace varnel
