#include "sim_block_behaviour.h"

#include "sim_modem_board.h"

namespace varnel::sim {

void BlockBehaviour::AddBoard(std::uint8_t address, std::unique_ptr<BoardEmulation> board) {
  boards_[address] = std::move(board);
}

CommandReply BlockBehaviour::DeviceCommand(ByteView payload) {
  return NotEmulatedBehaviour()->DeviceCommand(payload);
}

CommandReply BlockBehaviour::BoardCommand(std::uint8_t board, ByteView payload) {
  const auto it = boards_.find(board);
  if (it == boards_.end()) return NotEmulatedBehaviour()->BoardCommand(board, payload);
  return it->second->Handle(payload);
}

std::shared_ptr<DeviceBehaviour> MakeBlockBehaviour(const BoardSettings& settings,
                                                    std::uint8_t device_id, LocalClock clock) {
  auto behaviour = std::make_shared<BlockBehaviour>();
  behaviour->AddBoard(kModemBoardAddress,
                      std::make_unique<ModemBoard>(settings.modem, device_id, std::move(clock)));
  return behaviour;
}

}  // namespace varnel::sim
