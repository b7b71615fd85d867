#pragma once
// The single way requests leave the program: frames to a Route, and board
// commands by device number, prefixed with the device's send Route and the
// board address and counted against the board.

#include "model/board_command_sender.h"
#include "model/device_registry.h"
#include "wire/frame_sender.h"

namespace varnel {

class SendPath : public FrameSender, public BoardCommandSender {
 public:
  SendPath(DatagramSink& sink, TraceLog& trace, DeviceRegistry& registry, const LinkSettings& link)
      : FrameSender(sink, trace, link), registry_(registry) {}

  void SendBoardCommand(int device, int slot, const Bytes& payload) override;

 private:
  DeviceRegistry& registry_;
};

// Bytes of a board request without its checksum.
Bytes BoardCommandFrame(const Route& sendRoute, int slot, const Bytes& payload);

}  // namespace varnel
