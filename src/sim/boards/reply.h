#pragma once
// Replies of an emulated board, with a console note that names the board.

#include <string_view>

#include "sim/block/device_behaviour.h"

namespace varnel::sim {

CommandReply BoardAnswer(std::string_view board, Bytes body, std::string_view note);
// No answer; the note shows the request and why it was left alone.
CommandReply BoardIgnored(std::string_view board, ByteView payload, std::string_view why);

}  // namespace varnel::sim
