#pragma once
// What the emulated network did with one request datagram.

#include <chrono>
#include <string>
#include <vector>

#include "sim/wire/bytes.h"

namespace varnel::sim {

struct Answer {
  Bytes frame;
  // How long the answer travels back; the server sends it that much later.
  std::chrono::milliseconds delay{0};
  std::size_t device = 0;  // who answers: its index in the network
  int command = -1;        // the command code answered; -1 for an identity
};

struct Outcome {
  std::vector<Answer> answers;  // none: every block stays silent
  std::string note;             // for the console: what was answered, or why not
};

}  // namespace varnel::sim
