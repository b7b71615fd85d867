#include "sim/boards/block_behaviour.h"

#include "sim/boards/amplifier.h"
#include "sim/boards/modem.h"
#include "sim/boards/power.h"
#include "sim/boards/termination.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kFirstTerminationAddress = 0x05;  // slot 1; slots 2, 3 follow
constexpr std::array<std::uint8_t, 2> kAmplifierAddresses{0x0A, 0x0C};
constexpr std::uint8_t kPowerBoardAddress = 0x0E;

}  // namespace

void BlockBehaviour::AddBoard(std::uint8_t address, std::unique_ptr<BoardEmulation> board) {
  boards_[address] = std::move(board);
}

CommandReply BlockBehaviour::DeviceCommand(ByteView payload) {
  return NotEmulatedBehaviour()->DeviceCommand(payload);
}

CommandReply BlockBehaviour::BoardCommand(std::uint8_t board, ByteView payload) {
  // A frame may end right after the board address; boards expect a command code.
  if (payload.empty()) {
    return {std::nullopt, "board " + HexText(ByteView(&board, 1)) + ": no command, unanswered"};
  }
  const auto it = boards_.find(board);
  if (it == boards_.end()) {
    return {std::nullopt, "board " + HexText(ByteView(&board, 1)) + " not fitted, " +
                              HexText(payload) + " unanswered"};
  }
  return it->second->Handle(payload);
}

std::shared_ptr<DeviceBehaviour> MakeBlockBehaviour(const BoardSettings& settings,
                                                    std::uint8_t device_id, LocalClock clock) {
  auto behaviour = std::make_shared<BlockBehaviour>();
  ModemSettings modem = settings.modem;
  modem.log.boards.clear();  // the modem's log tells of the boards fitted beside it
  for (unsigned slot = 1; slot <= kTerminationSlots; ++slot) {
    const TerminationSettings& board = settings.termination[slot - 1];
    if (!board.fitted) continue;
    const auto address = static_cast<std::uint8_t>(kFirstTerminationAddress + slot - 1);
    behaviour->AddBoard(address, std::make_unique<TerminationBoard>(board, device_id, slot, clock));
    modem.log.boards.push_back(address);
  }
  const bool two = settings.amplifiers[0].fitted && settings.amplifiers[1].fitted;
  for (std::size_t i = 0; i < kAmplifierAddresses.size(); ++i) {
    if (!settings.amplifiers[i].fitted) continue;
    behaviour->AddBoard(kAmplifierAddresses[i],
                        std::make_unique<AmplifierBoard>(settings.amplifiers[i], i, two, clock));
    modem.log.boards.push_back(kAmplifierAddresses[i]);
  }
  behaviour->AddBoard(kModemBoardAddress, std::make_unique<ModemBoard>(modem, device_id, clock));
  behaviour->AddBoard(kPowerBoardAddress, std::make_unique<PowerBoard>());
  return behaviour;
}

}  // namespace varnel::sim
