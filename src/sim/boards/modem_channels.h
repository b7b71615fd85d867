#pragma once
// What the three HF channels of a modem board are doing: error counts that grow
// with time, a drifting input level, the data loops, and the state answers.

#include <array>
#include <cstdint>

#include "sim/boards/modem_config.h"

namespace varnel::sim {

class ModemChannels {
 public:
  ModemChannels(unsigned errors_per_minute, std::int64_t now);

  // The configuration of channel c (0-based) was old_config until now: the errors
  // counted under it stay, and a digital link takes a while to come up again.
  void Reconfigure(std::size_t c, const ModemChannelConfig& old_config, std::int64_t now);
  void ResetErrors(std::size_t c, std::int64_t now);
  void SetLoop(std::size_t c) { runtime_[c].loop = true; }
  void ClearLoops();

  // 14+c D1 D2 for analog and transit channels, 14+c D1..D8 for digital ones.
  Bytes StateAnswer(std::size_t c, const ModemChannelConfig& config, std::uint8_t mcu,
                    std::int64_t now) const;
  unsigned Errors(std::size_t c, const ModemChannelConfig& config, std::int64_t now) const;

 private:
  struct Runtime {
    unsigned counted = 0;      // errors up to `since`
    std::int64_t since = 0;
    std::int64_t activation_until = 0;
    bool loop = false;
  };

  bool Growing(const ModemChannelConfig& config) const;
  std::uint8_t ReceiverBits(std::size_t c, const ModemChannelConfig& config,
                            std::int64_t now) const;
  std::uint8_t ErrorRatioByte(const ModemChannelConfig& config, double kbps) const;

  unsigned errors_per_minute_;
  std::array<Runtime, kModemChannels> runtime_;
};

// Input level byte (-0.2 dB steps) of a channel (0-based) that receives: a few
// steps around a per-channel level, moving every four seconds.
std::uint8_t InputLevelByte(std::size_t c, std::int64_t now);

}  // namespace varnel::sim
