#pragma once
// LabAnalog in analog mode: a hyphen, or in debug mode the raw level bytes,
// the level code and the level in dBm.

#include <string>

#include "wire/byte_utils.h"

namespace varnel {

// data is a kind 2 answer of at least 3 bytes; shorter gives "-".
std::string AnalogLevelText(ByteView data, bool debug);

}  // namespace varnel
