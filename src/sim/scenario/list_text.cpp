#include "sim/scenario/list_text.h"

namespace varnel::sim {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::string_view> ListItems(std::string_view text) {
  std::vector<std::string_view> items;
  if (Trimmed(text).empty()) return items;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    items.push_back(Trimmed(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return items;
    start = comma + 1;
  }
}

}  // namespace varnel::sim
