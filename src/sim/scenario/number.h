#pragma once
// Decimal numbers typed by a person, on the command line or in a scenario.

#include <optional>
#include <string_view>

namespace varnel::sim {

// Nothing unless the whole text is a decimal number within low..high.
std::optional<unsigned> ParseNumber(std::string_view text, unsigned low, unsigned high);

}  // namespace varnel::sim
