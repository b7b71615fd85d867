#include "boards/amplifier/amplifier_alarms.h"

#include "wire/byte_utils.h"

namespace varnel {

std::string AmplifierAlarmLine(std::uint8_t alarms) {
  std::string list;
  for (int bit = kFirstAmplifierAlarm; bit <= kLastAmplifierAlarm; ++bit) {
    if (Bit8(alarms, bit)) (list += "\r    -") += AmplifierAlarmName(bit);
  }
  return list.empty() ? "Аварии: нет" : " Аварии: " + list;
}

}  // namespace varnel
