#include "sim/scenario/fault_keys.h"

#include "sim/scenario/list_text.h"

namespace varnel::sim {

namespace {

std::optional<std::chrono::milliseconds> Millis(std::optional<unsigned> value) {
  if (!value) return std::nullopt;
  return std::chrono::milliseconds(*value);
}

// "16, 0x12": command codes in hex, one or two digits, 0x optional.
std::optional<std::bitset<256>> DropCodes(SectionReader& section) {
  const std::optional<std::string> text = section.Text("fault_drop_codes", false);
  if (!text) return std::nullopt;
  std::bitset<256> codes;
  for (std::string_view item : ListItems(*text)) {
    if (item.size() > 2 && item[0] == '0' && (item[1] == 'x' || item[1] == 'X')) item.remove_prefix(2);
    unsigned code = 0;
    bool good = !item.empty() && item.size() <= 2;
    for (char c : item) {
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      good = good && digit >= 0;
      code = code * 16 + static_cast<unsigned>(digit < 0 ? 0 : digit);
    }
    if (!good) {
      section.Fail("fault_drop_codes=" + *text + ": a list of command codes in hex, 00..FF");
      return std::nullopt;
    }
    codes.set(code);
  }
  return codes;
}

}  // namespace

FaultKeys ReadFaultKeys(SectionReader& section) {
  auto percent = [&](const char* key, std::string_view meaning) {
    return section.Number(key, 0, 100, meaning, false);
  };
  FaultKeys keys;
  keys.drop = percent("fault_drop", "percent of answers lost");
  keys.duplicate = percent("fault_duplicate", "percent of answers sent twice");
  keys.reorder = percent("fault_reorder", "percent of answers held back behind the next");
  keys.corrupt = percent("fault_corrupt", "percent of answers with a wrong checksum");
  keys.truncate = percent("fault_truncate", "percent of answers cut short");
  keys.delay = Millis(section.Number("fault_delay_ms", 0, kMaxFaultDelayMs, "extra delay of every answer", false));
  keys.jitter = Millis(section.Number("fault_jitter_ms", 0, kMaxFaultDelayMs, "random extra delay", false));
  keys.dropCodes = DropCodes(section);
  return keys;
}

}  // namespace varnel::sim
