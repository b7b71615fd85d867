#pragma once
// The checks before a configuration is written to a termination board. All
// failures are collected into one text, lines separated by carriage returns.

#include <cstdint>
#include <string>

#include "boards/termination/config_record.h"

namespace varnel {

struct ConfigWriteContext {
  bool configRead = false;  // Flags8: read and decoded since the window opened
  int slot = 0;             // SelectedSlot, 1..3
  std::uint8_t ver1 = 0, ver2 = 0;
};

// Empty when the configuration may be written.
std::string ValidateTerminationConfig(const TerminationConfig& config, const ConfigWriteContext& context);

}  // namespace varnel
