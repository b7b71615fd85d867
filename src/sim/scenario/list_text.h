#pragma once
// Comma-separated lists in scenario values.

#include <string_view>
#include <vector>

namespace varnel::sim {

// "a, b,c" as {"a", "b", "c"}; an empty or blank text as no items.
std::vector<std::string_view> ListItems(std::string_view text);

}  // namespace varnel::sim
