#pragma once
// A board request by device number. The send path above the model carries
// it out; subsystems that compose board requests see only this.

#include "wire/byte_utils.h"

namespace varnel {

class BoardCommandSender {
 public:
  virtual ~BoardCommandSender() = default;
  // Send Route + board address, payload, checksum; counted against the
  // addressed board. Slot 0 or a device not in use sends nothing.
  virtual void SendBoardCommand(int device, int slot, const Bytes& payload) = 0;
};

}  // namespace varnel
