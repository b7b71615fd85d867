#pragma once
// Text from a block shown on a terminal: control characters become '?', so a
// name cannot move the cursor or end a line.

#include <string>

namespace varnel::cli {

std::string Printable(std::string text);

}  // namespace varnel::cli
