#pragma once
// How badly the HF link towards a device treats its answers: the share of
// answers lost, repeated, held back behind the next one, with a broken
// checksum or cut short, and how much later they arrive; and the commands
// whose answers are always lost, for a loss that comes every time.

#include <bitset>
#include <chrono>
#include <optional>

namespace varnel::sim {

struct FaultSettings {
  unsigned drop = 0;       // percent of answers, each 0..100
  unsigned duplicate = 0;
  unsigned reorder = 0;
  unsigned corrupt = 0;
  unsigned truncate = 0;
  std::chrono::milliseconds delay{0};   // added to every answer
  std::chrono::milliseconds jitter{0};  // and up to this much more, at random
  std::bitset<256> dropCodes;           // command codes never answered

  bool Any() const {
    return drop || duplicate || reorder || corrupt || truncate || delay.count() || jitter.count() ||
           dropCodes.any();
  }
};

// The keys given at one level (command line, [sim], a root, a device); a key
// not given there keeps the value of the level above.
struct FaultKeys {
  std::optional<unsigned> drop, duplicate, reorder, corrupt, truncate;
  std::optional<std::chrono::milliseconds> delay, jitter;
  std::optional<std::bitset<256>> dropCodes;

  FaultSettings Over(const FaultSettings& above) const {
    return {drop.value_or(above.drop),         duplicate.value_or(above.duplicate),
            reorder.value_or(above.reorder),   corrupt.value_or(above.corrupt),
            truncate.value_or(above.truncate), delay.value_or(above.delay),
            jitter.value_or(above.jitter),     dropCodes.value_or(above.dropCodes)};
  }
  FaultKeys Over(const FaultKeys& above) const {
    return {drop ? drop : above.drop,         duplicate ? duplicate : above.duplicate,
            reorder ? reorder : above.reorder, corrupt ? corrupt : above.corrupt,
            truncate ? truncate : above.truncate, delay ? delay : above.delay,
            jitter ? jitter : above.jitter,   dropCodes ? dropCodes : above.dropCodes};
  }
};

}  // namespace varnel::sim
