#include "sim/scenario/fault_keys.h"

namespace varnel::sim {

namespace {

std::optional<std::chrono::milliseconds> Millis(std::optional<unsigned> value) {
  if (!value) return std::nullopt;
  return std::chrono::milliseconds(*value);
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
  return keys;
}

}  // namespace varnel::sim
