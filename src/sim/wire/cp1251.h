#pragma once
// Block names travel in the Windows Cyrillic code page; the config holds UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace varnel::sim {

// Nothing when the text is not valid UTF-8 or has a character outside Windows-1251.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

}  // namespace varnel::sim
