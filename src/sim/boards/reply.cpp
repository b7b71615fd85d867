#include "sim/boards/reply.h"

namespace varnel::sim {

CommandReply BoardAnswer(std::string_view board, Bytes body, std::string_view note) {
  return {std::move(body), std::string(board) + ": " + std::string(note)};
}

CommandReply BoardIgnored(std::string_view board, ByteView payload, std::string_view why) {
  return {std::nullopt, std::string(board) + ": " + HexText(payload) + " ignored (" +
                            std::string(why) + "), no answer"};
}

}  // namespace varnel::sim
