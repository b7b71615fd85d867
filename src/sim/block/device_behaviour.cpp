#include "sim/block/device_behaviour.h"

namespace varnel::sim {

namespace {

std::string HexByte(std::uint8_t b) { return HexText(ByteView(&b, 1)); }

class NotEmulated final : public DeviceBehaviour {
 public:
  CommandReply DeviceCommand(ByteView payload) override {
    return {std::nullopt, "device command " + HexByte(payload.front()) + ": not emulated yet"};
  }
  CommandReply BoardCommand(std::uint8_t board, ByteView) override {
    return {std::nullopt, "board " + HexByte(board) + " request: not emulated yet"};
  }
};

}  // namespace

std::shared_ptr<DeviceBehaviour> NotEmulatedBehaviour() {
  // Stateless, so every device may share the one instance.
  static const auto instance = std::make_shared<NotEmulated>();
  return instance;
}

}  // namespace varnel::sim
