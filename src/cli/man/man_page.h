#pragma once
// The manual page in roff, from the same table --help prints.

#include <string>

namespace varnel::cli {

std::string ManPageText();

}  // namespace varnel::cli
