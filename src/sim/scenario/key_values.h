#pragma once
// Values of the board keys: numbers, lists and names, each all or nothing.

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel::sim {

// Each item a number low..high, min_items..max_items of them.
std::optional<std::vector<unsigned>> NumberList(std::string_view text, unsigned low, unsigned high,
                                                std::size_t min_items, std::size_t max_items);

// A rate in bit/s up to max, a whole number of the 100 bit/s the boards count in.
std::optional<unsigned> RateValue(std::string_view text, unsigned max);

// "M.N", both 0..255.
std::optional<std::pair<std::uint8_t, std::uint8_t>> VersionValue(std::string_view text);

// A list of names out of `names`, as bits: names[i] sets bit i.
std::optional<unsigned> NamedBits(std::string_view text,
                                  const std::vector<std::string_view>& names);

// One name out of `names`, as its index.
std::optional<std::size_t> NamedIndex(std::string_view text,
                                      const std::vector<std::string_view>& names);

}  // namespace varnel::sim
