#pragma once
// What an event log entry says: the board that raised it (a board address)
// and its 16-bit message code become the channel and event texts of the log.

#include <cstdint>
#include <string>

namespace varnel {

struct DecodedEvent {
  std::string channel = "-";
  std::string event;
};

DecodedEvent DecodeEvent(std::uint8_t board, std::uint16_t code);

}  // namespace varnel
