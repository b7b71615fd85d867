#pragma once
// How settings values are read: integers in decimal, or hexadecimal with a
// leading "0x", "0X" or "$"; anything else gives the caller's default.

#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

std::optional<std::int64_t> ParseIniInteger(std::string_view text);

}  // namespace varnel
