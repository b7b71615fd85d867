#pragma once
// What one device does with commands beyond its identity. Board emulation plugs in
// here: a device gets its own behaviour, the emulator frames whatever body it returns.

#include <memory>
#include <optional>
#include <string>

#include "sim/wire/bytes.h"

namespace varnel::sim {

struct CommandReply {
  std::optional<Bytes> body;  // nothing: the device stays silent
  std::string note;           // for the console
};

class DeviceBehaviour {
 public:
  virtual ~DeviceBehaviour() = default;
  // Called only on the server thread of the device's root, so state kept by one
  // device's own behaviour needs no lock; an instance shared by devices of
  // several roots does.
  // The request "ID Route, 0, payload"; the payload is never empty.
  virtual CommandReply DeviceCommand(ByteView payload) = 0;
  // The request "send Route, board address, payload"; board is 4..14.
  virtual CommandReply BoardCommand(std::uint8_t board, ByteView payload) = 0;
};

// Answers nothing and says so: device commands, and boards not emulated yet.
std::shared_ptr<DeviceBehaviour> NotEmulatedBehaviour();

}  // namespace varnel::sim
