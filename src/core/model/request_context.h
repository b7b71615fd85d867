#pragma once
// What the request side of every subsystem works on: the trace, the known
// devices, the selection and the answer awaited, the status line, and the
// two ways out (a frame to a Route, a command to a device's board).

#include "model/board_command_sender.h"
#include "model/command_status.h"
#include "model/device_registry.h"
#include "model/request_state.h"
#include "wire/frame_sender.h"

namespace varnel {

struct RequestContext {
  TraceLog& trace;
  DeviceRegistry& registry;
  RequestState& request;
  CommandStatusLine& status;
  FrameSender& frames;
  BoardCommandSender& boards;
};

}  // namespace varnel
