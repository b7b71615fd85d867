#include "sim/scenario/key_values.h"

#include <algorithm>

#include "sim/scenario/list_text.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

constexpr unsigned kRateUnit = 100;

}  // namespace

std::optional<std::vector<unsigned>> NumberList(std::string_view text, unsigned low, unsigned high,
                                                std::size_t min_items, std::size_t max_items) {
  std::vector<unsigned> numbers;
  for (std::string_view item : ListItems(text)) {
    const std::optional<unsigned> number = ParseNumber(item, low, high);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  if (numbers.size() < min_items || numbers.size() > max_items) return std::nullopt;
  return numbers;
}

std::optional<unsigned> RateValue(std::string_view text, unsigned max) {
  const std::optional<unsigned> rate = ParseNumber(text, 0, max);
  if (!rate || *rate % kRateUnit != 0) return std::nullopt;
  return rate;
}

std::optional<std::pair<std::uint8_t, std::uint8_t>> VersionValue(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::optional<unsigned> major = ParseNumber(text.substr(0, dot), 0, 255);
  const std::optional<unsigned> minor = ParseNumber(text.substr(dot + 1), 0, 255);
  if (!major || !minor) return std::nullopt;
  return std::pair{static_cast<std::uint8_t>(*major), static_cast<std::uint8_t>(*minor)};
}

std::optional<unsigned> NamedBits(std::string_view text,
                                  const std::vector<std::string_view>& names) {
  unsigned bits = 0;
  for (std::string_view item : ListItems(text)) {
    const std::optional<std::size_t> index = NamedIndex(item, names);
    if (!index) return std::nullopt;
    bits |= 1u << *index;
  }
  return bits;
}

std::optional<std::size_t> NamedIndex(std::string_view text,
                                      const std::vector<std::string_view>& names) {
  const auto it = std::find(names.begin(), names.end(), text);
  if (it == names.end()) return std::nullopt;
  return static_cast<std::size_t>(it - names.begin());
}

}  // namespace varnel::sim
