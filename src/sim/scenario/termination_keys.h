#pragma once
// The termination board keys of a [root.KEY] or [dev.KEY] section: sl_slots,
// sl_NAME for every fitted board, sl1_NAME..sl3_NAME for one.

#include "sim/boards/termination_settings.h"
#include "sim/scenario/section_reader.h"

namespace varnel::sim {

const std::vector<std::string_view>& TerminationKeys();

// Without sl_slots a root has all three boards, a device the first; faults go to
// the section's error.
TerminationBoards ReadTerminationKeys(SectionReader& section, bool root);

}  // namespace varnel::sim
