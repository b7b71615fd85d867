#include "sim/scenario/section_reader.h"

#include <algorithm>
#include <cctype>

#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

void SectionReader::OnlyKeys(const std::vector<std::string_view>& allowed,
                             const std::vector<std::string_view>& unlisted,
                             std::string_view unlisted_text) {
  CSimpleIniA::TNamesDepend keys;
  ini_.GetAllKeys(section_.c_str(), keys);
  keys.sort(CSimpleIniA::Entry::LoadOrder());
  auto known = [](const std::vector<std::string_view>& names, const std::string& key) {
    return std::find(names.begin(), names.end(), key) != names.end();
  };
  for (const auto& key : keys) {
    const std::string lower = Lower(key.pItem);
    if (known(allowed, lower) || known(unlisted, lower)) continue;
    std::string list;
    for (std::string_view name : allowed) list += (list.empty() ? "" : ", ") + std::string(name);
    if (!unlisted_text.empty()) list += " or " + std::string(unlisted_text);
    Fail(std::string("unknown key \"") + key.pItem + "\"; expected " + list);
  }
}

std::optional<std::string> SectionReader::Text(const char* key, bool required) {
  if (!error_.empty()) return std::nullopt;
  bool repeated = false;
  const char* value = ini_.GetValue(section_.c_str(), key, nullptr, &repeated);
  if (repeated) {
    Fail(std::string(key) + " is given more than once (is the section repeated?)");
    return std::nullopt;
  }
  if (!value && required) Fail(std::string(key) + "= is missing");
  if (!value) return std::nullopt;
  return std::string(value);
}

std::optional<unsigned> SectionReader::Number(const char* key, unsigned low, unsigned high,
                                              std::string_view meaning, bool required) {
  const std::optional<std::string> text = Text(key, required);
  if (!text) return std::nullopt;
  const std::optional<unsigned> number = ParseNumber(*text, low, high);
  if (!number) {
    Fail(std::string(key) + "=" + *text + ": " + std::string(meaning) + " must be a number " +
         std::to_string(low) + ".." + std::to_string(high));
  }
  return number;
}

void SectionReader::Fail(const std::string& message) {
  if (error_.empty()) error_ = "[" + section_ + "] " + message;
}

}  // namespace varnel::sim
