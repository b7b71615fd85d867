#pragma once
// Spoils the answers of one network the way a poor HF link does, by each
// answering device's fault settings. Every decision comes from one generator
// started from a seed, so the same requests with the same seed meet the same
// faults. Belongs to the one thread that serves the network.

#include <functional>
#include <optional>
#include <random>

#include "sim/fault/fault_settings.h"
#include "sim/net/outcome.h"

namespace varnel::sim {

class FaultInjector {
 public:
  using SettingsOf = std::function<const FaultSettings&(std::size_t device)>;

  FaultInjector(std::uint64_t seed, SettingsOf settings_of);

  // Drops, repeats, corrupts, cuts and delays the outcome's answers; one
  // picked for reordering waits and goes out behind the next answer. What was
  // done is added to the note.
  void Apply(Outcome& outcome);

 private:
  bool Roll(unsigned percent);
  void Spoil(Answer& answer, const FaultSettings& faults, std::string& note);

  std::mt19937_64 random_;
  SettingsOf settings_of_;
  std::optional<Answer> held_;
};

}  // namespace varnel::sim
