#pragma once
// The amplifier keys of a [root.KEY] or [dev.KEY] section: ap_slots, ap_NAME for
// both fitted amplifiers, ap6_NAME and ap8_NAME for one.

#include "sim/boards/amplifier_settings.h"
#include "sim/scenario/section_reader.h"

namespace varnel::sim {

const std::vector<std::string_view>& AmplifierKeys();

// Without ap_slots only the amplifier in slot 6 is fitted.
AmplifierBoards ReadAmplifierKeys(SectionReader& section);

}  // namespace varnel::sim
