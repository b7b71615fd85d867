#pragma once
// The modem board (address 4) of one device, from the board's side: versions,
// configuration, channel states, resets and data loops, clock, event log,
// memory dump, a new program written into it and the restart that runs it.

#include <limits>

#include "sim/boards/board_emulation.h"
#include "sim/boards/local_clock.h"
#include "sim/boards/modem_channels.h"
#include "sim/boards/modem_clock.h"
#include "sim/boards/modem_firmware.h"
#include "sim/boards/modem_log.h"

namespace varnel::sim {

class ModemBoard final : public BoardEmulation {
 public:
  ModemBoard(const ModemSettings& settings, std::uint8_t device_id, LocalClock clock);

  CommandReply Command(ByteView payload) override;

 private:
  CommandReply Versions(ByteView payload) const;
  CommandReply Common(ByteView payload);
  CommandReply ChannelConfig(std::size_t c, ByteView payload);
  CommandReply ChannelState(std::size_t c, ByteView payload) const;
  CommandReply ResetOrLoop(ByteView payload);
  CommandReply Clock(ByteView payload);
  CommandReply EventLog(ByteView payload);
  CommandReply Dump(ByteView payload) const;
  CommandReply Restart(ByteView payload);

  std::uint8_t mcu_;
  std::uint8_t fpga_;
  LocalClock clock_;
  ModemConfig config_;
  ModemChannels channels_;
  ModemClock board_clock_;
  ModemLog log_;
  ModemFirmwareReceiver firmware_;
  unsigned restart_seconds_;
  std::int64_t silent_until_ = std::numeric_limits<std::int64_t>::min();
};

}  // namespace varnel::sim
