#pragma once
// What a block did with one request datagram.

#include <optional>
#include <string>

#include "sim_bytes.h"

namespace varnel::sim {

struct Outcome {
  std::optional<Bytes> answer;  // nothing: the block stays silent
  std::string note;             // for the console: what was answered, or why not
};

}  // namespace varnel::sim
