#pragma once
// The operator's selection and the request awaiting its answer, shared by
// the request side and the dispatcher.

#include <cstdint>

#include "model/awaited_answers.h"

namespace varnel {

enum RequestModeValue : std::uint8_t { kNoRequest = 0, kReadRequest = 1, kWriteRequest = 2 };

struct RequestState {
  int currentDevice = 0;      // 0 = none, else 1..128
  int currentChannel = 0;     // 0 = none, else 1..3
  int selectedSlot = 0;       // 0 = block level, else BoardSlot 1..10
  int openDevice = 0;         // device whose open-block answer is awaited
  std::uint8_t expectedCode = 0;  // command code awaited, 0 = none
  std::uint8_t requestMode = kNoRequest;
  int lastDevice = 0;  // device of the last board request composed
  AwaitedAnswers awaited;  // the answers of a click of several requests

  // The operator's write has answers still to come.
  bool writeAwaited() const {
    return requestMode == kWriteRequest && (expectedCode != 0 || (awaited.active() && !awaited.complete()));
  }
};

}  // namespace varnel
