#pragma once
// What a scenario says about the boards of one device. Termination boards,
// amplifiers and the power board get their own members here.

#include "sim_modem_settings.h"

namespace varnel::sim {

struct BoardSettings {
  ModemSettings modem;
};

}  // namespace varnel::sim
