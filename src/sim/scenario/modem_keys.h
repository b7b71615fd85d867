#pragma once
// The modem board keys of a [root.KEY] or [dev.KEY] section.

#include "sim/boards/modem_settings.h"
#include "sim/scenario/section_reader.h"

namespace varnel::sim {

inline const std::vector<std::string_view> kModemKeys = {
    "modem_mcu", "modem_fpga",      "modem_modes",    "modem_off",      "modem_error_rate",
    "modem_log", "modem_log_first", "modem_log_rate", "modem_log_clock", "modem_fw_break",
    "modem_fw_stop", "modem_fw_last", "modem_fw_save", "modem_restart_s"};

// Defaults for the keys left out; faults go to the section's error.
ModemSettings ReadModemKeys(SectionReader& section);

}  // namespace varnel::sim
