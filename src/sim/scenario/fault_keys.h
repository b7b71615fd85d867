#pragma once
// The fault keys of a scenario section: fault_drop, fault_duplicate,
// fault_reorder, fault_corrupt, fault_truncate (percent of answers) and
// fault_delay_ms, fault_jitter_ms, range-checked, and fault_drop_codes (the
// command codes, in hex, whose answers are always lost).

#include <array>
#include <string_view>

#include "sim/fault/fault_settings.h"
#include "sim/scenario/section_reader.h"

namespace varnel::sim {

inline constexpr std::array<std::string_view, 8> kFaultKeys{
    "fault_drop", "fault_duplicate", "fault_reorder", "fault_corrupt",
    "fault_truncate", "fault_delay_ms", "fault_jitter_ms", "fault_drop_codes"};
inline constexpr unsigned kMaxFaultDelayMs = 60000;

FaultKeys ReadFaultKeys(SectionReader& section);

}  // namespace varnel::sim
