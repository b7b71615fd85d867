#include "sim/scenario/board_keys.h"

#include <algorithm>

#include "sim/scenario/list_text.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

std::string SlotList(const std::vector<unsigned>& slots) {
  std::string list;
  for (unsigned slot : slots) list += (list.empty() ? "" : ", ") + std::to_string(slot);
  return list;
}

}  // namespace

BoardKeyFamily::BoardKeyFamily(std::string prefix, std::vector<unsigned> slots,
                               const std::vector<std::string_view>& names)
    : prefix_(std::move(prefix)), slots_(std::move(slots)) {
  key_texts_.push_back(prefix_ + "_slots");
  for (std::string_view name : names) {
    key_texts_.push_back(prefix_ + "_" + std::string(name));
    for (unsigned slot : slots_) {
      key_texts_.push_back(prefix_ + std::to_string(slot) + "_" + std::string(name));
    }
  }
  // Views only once the texts no longer move.
  keys_.assign(key_texts_.begin(), key_texts_.end());
}

std::optional<std::vector<bool>> BoardKeyFamily::Fitted(SectionReader& section) const {
  const std::string key = prefix_ + "_slots";
  const std::optional<std::string> text = section.Text(key.c_str(), false);
  if (!text) return std::nullopt;
  std::vector<bool> fitted(slots_.size(), false);
  for (std::string_view item : ListItems(*text)) {
    const std::optional<unsigned> slot = ParseNumber(item, 0, 255);
    const auto it = std::find(slots_.begin(), slots_.end(), slot.value_or(0));
    if (it == slots_.end()) {
      section.Fail(key + "=" + *text + ": a list of slots out of " + SlotList(slots_));
      return std::nullopt;
    }
    fitted[static_cast<std::size_t>(it - slots_.begin())] = true;
  }
  return fitted;
}

void BoardKeyFamily::Each(SectionReader& section, std::string_view name,
                          std::string_view expectation, const ReadValue& read) const {
  const std::string common = prefix_ + "_" + std::string(name);
  const std::optional<std::string> shared = section.Text(common.c_str(), false);
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const std::string own = prefix_ + std::to_string(slots_[i]) + "_" + std::string(name);
    const std::optional<std::string> value = section.Text(own.c_str(), false);
    const std::optional<std::string>& text = value ? value : shared;
    if (text && !read(i, *text)) {
      return section.Fail((value ? own : common) + "=" + *text + ": " + std::string(expectation));
    }
  }
}

}  // namespace varnel::sim
