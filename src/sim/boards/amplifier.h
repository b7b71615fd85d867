#pragma once
// A transmit amplifier (slot 6 or 8) of one device: version, alarms, level and a
// slowly drifting temperature; one setting byte for "two amplifiers" and the masks.

#include <string>

#include "sim/boards/amplifier_settings.h"
#include "sim/boards/board_emulation.h"
#include "sim/boards/local_clock.h"

namespace varnel::sim {

class AmplifierBoard final : public BoardEmulation {
 public:
  // index 0 or 1 for slot 6 or 8; two_fitted starts the "two amplifiers" bit.
  AmplifierBoard(const AmplifierSettings& settings, std::size_t index, bool two_fitted,
                 LocalClock clock);

  CommandReply Command(ByteView payload) override;

 private:
  Bytes StatusAnswer() const;

  AmplifierSettings settings_;
  std::size_t index_;
  std::string label_;
  LocalClock clock_;
  bool two_amplifiers_;
  std::uint8_t mask_;
};

}  // namespace varnel::sim
