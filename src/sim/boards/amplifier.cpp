#include "sim/boards/amplifier.h"

#include "sim/boards/drift.h"
#include "sim/boards/reply.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kStatus = 0x01;
constexpr std::uint8_t kTwoAmplifiers = 0x40;  // in the alarm byte
constexpr std::uint8_t kTwoAmplifiersSetting = 0x01;
constexpr std::uint8_t kMaskBits = 0x1A;  // A1, A3, A4; a set bit leaves the alarm on
constexpr std::uint8_t kMaskFromVersion = 7;
constexpr std::int64_t kTemperatureStepSeconds = 60;

}  // namespace

AmplifierBoard::AmplifierBoard(const AmplifierSettings& settings, std::size_t index,
                               bool two_fitted, LocalClock clock)
    : settings_(settings),
      index_(index),
      label_("amplifier " + std::to_string(kAmplifierSlots[index])),
      clock_(std::move(clock)),
      two_amplifiers_(two_fitted),
      mask_(kMaskBits) {}

CommandReply AmplifierBoard::Command(ByteView payload) {
  if (payload.front() != kStatus || payload.size() > 2) {
    return BoardIgnored(label_, payload, "expected 01 or 01 f");
  }
  if (payload.size() == 1) return BoardAnswer(label_, StatusAnswer(), "status");
  two_amplifiers_ = (payload[1] & kTwoAmplifiersSetting) != 0;
  mask_ = payload[1] & kMaskBits;
  return BoardAnswer(label_, StatusAnswer(), "setting written");
}

Bytes AmplifierBoard::StatusAnswer() const {
  const int drift = Drift(clock_(), kTemperatureStepSeconds, 4 * static_cast<int>(index_));
  Bytes body{kStatus, settings_.version,
             static_cast<std::uint8_t>(settings_.alarms | (two_amplifiers_ ? kTwoAmplifiers : 0)),
             settings_.level_dbm, static_cast<std::uint8_t>(settings_.temperature + drift)};
  if (settings_.version >= kMaskFromVersion) body.push_back(mask_);
  return body;
}

}  // namespace varnel::sim
