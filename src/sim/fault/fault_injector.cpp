#include "sim/fault/fault_injector.h"

#include <algorithm>

namespace varnel::sim {

namespace {

void Tell(std::string& note, const std::string& what) {
  note += note.empty() ? "fault: " : ", ";
  note += what;
}

std::string HexCode(int code) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(code >> 4) & 0xF], kDigits[code & 0xF]};
}

}  // namespace

FaultInjector::FaultInjector(std::uint64_t seed, SettingsOf settings_of)
    : random_(seed), settings_of_(std::move(settings_of)) {}

bool FaultInjector::Roll(unsigned percent) { return percent > 0 && random_() % 100 < percent; }

void FaultInjector::Spoil(Answer& answer, const FaultSettings& faults, std::string& note) {
  if (Roll(faults.corrupt) && !answer.frame.empty()) {
    // Any change of the last byte breaks the checksum; never by nothing.
    answer.frame.back() ^= static_cast<std::uint8_t>(1 + random_() % 255);
    Tell(note, "checksum corrupted");
  }
  if (Roll(faults.truncate) && answer.frame.size() > 1) {
    answer.frame.resize(1 + random_() % (answer.frame.size() - 1));
    Tell(note, "cut to " + std::to_string(answer.frame.size()) + " bytes");
  }
  auto extra = faults.delay;
  if (faults.jitter.count() > 0) {
    extra += std::chrono::milliseconds(random_() % (static_cast<std::uint64_t>(faults.jitter.count()) + 1));
  }
  if (extra.count() > 0) {
    answer.delay += extra;
    Tell(note, "delayed " + std::to_string(extra.count()) + " ms");
  }
}

void FaultInjector::Apply(Outcome& outcome) {
  std::vector<Answer> out;
  std::string note;
  for (Answer& answer : outcome.answers) {
    const FaultSettings& faults = settings_of_(answer.device);
    if (answer.command >= 0 && faults.dropCodes.test(static_cast<std::size_t>(answer.command))) {
      Tell(note, "answer to " + HexCode(answer.command) + " dropped");
      continue;
    }
    if (Roll(faults.drop)) {
      Tell(note, "answer dropped");
      continue;
    }
    const int copies = Roll(faults.duplicate) ? 2 : 1;
    if (copies == 2) Tell(note, "answer repeated");
    for (int copy = 0; copy < copies; ++copy) {
      Answer spoilt = answer;
      Spoil(spoilt, faults, note);
      if (!held_ && Roll(faults.reorder)) {
        Tell(note, "answer held back");
        held_ = std::move(spoilt);
        continue;
      }
      const auto delay = spoilt.delay;
      out.push_back(std::move(spoilt));
      if (held_) {
        // Released behind this one: never due before it.
        held_->delay = std::max(held_->delay, delay);
        out.push_back(std::move(*held_));
        held_.reset();
        Tell(note, "held answer sent behind it");
      }
    }
  }
  outcome.answers = std::move(out);
  if (!note.empty()) outcome.note += (outcome.note.empty() ? "" : "; ") + note;
}

}  // namespace varnel::sim
