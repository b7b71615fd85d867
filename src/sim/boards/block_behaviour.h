#pragma once
// A device with emulated boards: requests to a fitted board go to it; boards not
// fitted (the filters among them) stay silent and the console says so.

#include <map>

#include "sim/boards/board_emulation.h"
#include "sim/boards/local_clock.h"
#include "sim/boards/settings.h"

namespace varnel::sim {

inline constexpr std::uint8_t kModemBoardAddress = 0x04;

class BlockBehaviour final : public DeviceBehaviour {
 public:
  void AddBoard(std::uint8_t address, std::unique_ptr<BoardEmulation> board);

  CommandReply DeviceCommand(ByteView payload) override;
  CommandReply BoardCommand(std::uint8_t board, ByteView payload) override;

 private:
  std::map<std::uint8_t, std::unique_ptr<BoardEmulation>> boards_;
};

// The modem, the fitted termination boards and amplifiers and the power board, set
// up from the scenario; device_id varies the defaults from device to device.
std::shared_ptr<DeviceBehaviour> MakeBlockBehaviour(const BoardSettings& settings,
                                                    std::uint8_t device_id, LocalClock clock);

}  // namespace varnel::sim
