#pragma once
// The answers a click of several requests waits for. On an HF link any of
// them can be lost: the command counts as executed only when every one has
// come, and once the wait is over the status names those that did not.
// A click of one request keeps the plain rule of the awaited command code.

#include <cstdint>
#include <string>
#include <vector>

#include "wire/byte_utils.h"

namespace varnel {

class AwaitedAnswers {
 public:
  // How long the answers of one click may take before the missing ones are named.
  static constexpr std::uint64_t kWaitMs = 3000;

  // keys: per request, the leading bytes its answer repeats (the command
  // code; for an acknowledgement that repeats the request, the request).
  void Start(int device, int slot, std::vector<Bytes> keys, std::uint64_t nowMs);
  void Clear() { keys_.clear(); }
  // A click of several requests is under way, or its outcome is still shown.
  bool active() const { return !keys_.empty(); }

  // An answer of a board; true when it is one still awaited (now counted).
  bool Take(int device, int slot, ByteView answer);
  bool complete() const;
  // Once per click: Incomplete when the wait is over with answers missing,
  // Complete when all came; Waiting before either and after the first report.
  enum class Outcome { Waiting, Complete, Incomplete };
  Outcome Settle(std::uint64_t nowMs);
  // The missing answers' keys in hex, in send order: "16, 12" or "14 02";
  // empty when none is.
  std::string MissingText() const;
  // Whether the answer starting with code was asked for from this board and
  // was still missing when the wait ended.
  bool Missing(int device, int slot, std::uint8_t code) const;

 private:
  int device_ = 0, slot_ = 0;
  std::vector<Bytes> keys_;
  std::vector<bool> arrived_;
  std::uint64_t startMs_ = 0;
  bool settled_ = false;
};

}  // namespace varnel
