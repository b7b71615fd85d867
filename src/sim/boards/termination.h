#pragma once
// A termination board (slot 1..3, address 5..7) of one device: identification,
// subchannel state with counters that grow with time, counter reset, loop test,
// its flash with the configuration record, firmware update and restart.

#include <limits>
#include <string>

#include "sim/boards/board_emulation.h"
#include "sim/boards/flash_memory.h"
#include "sim/boards/local_clock.h"
#include "sim/boards/termination_settings.h"

namespace varnel::sim {

class TerminationBoard final : public BoardEmulation {
 public:
  // slot is 1..3; with the device ID it makes the default serial number and uptime.
  TerminationBoard(const TerminationSettings& settings, std::uint8_t device_id, unsigned slot,
                   LocalClock clock);

  CommandReply Command(ByteView payload) override;

 private:
  CommandReply Information(ByteView payload) const;
  CommandReply Subchannels(ByteView payload);
  CommandReply Loop(ByteView payload);
  CommandReply Flash(ByteView payload);
  CommandReply Restart(ByteView payload);

  TerminationSettings settings_;
  std::string label_;
  std::uint16_t serial_;
  LocalClock clock_;
  std::int64_t started_;
  std::uint32_t uptime_at_start_;
  std::int64_t counting_since_;
  std::uint8_t loop_mode_ = 0;
  FlashMemory flash_;
  bool update_pending_ = false;  // the firmware descriptor was written since the last restart
  std::int64_t silent_until_ = std::numeric_limits<std::int64_t>::min();
};

}  // namespace varnel::sim
