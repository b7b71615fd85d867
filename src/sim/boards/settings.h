#pragma once
// What a scenario says about the boards of one device. Left alone it describes a
// root block: all three termination boards and the first amplifier fitted.

#include "sim/boards/amplifier_settings.h"
#include "sim/boards/modem_settings.h"
#include "sim/boards/termination_settings.h"

namespace varnel::sim {

struct BoardSettings {
  ModemSettings modem;
  TerminationBoards termination;
  AmplifierBoards amplifiers{AmplifierSettings{}, AmplifierSettings{.fitted = false}};
};

}  // namespace varnel::sim
