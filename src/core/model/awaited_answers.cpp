#include "model/awaited_answers.h"

#include <algorithm>

#include "wire/str_utils.h"

namespace varnel {

void AwaitedAnswers::Start(int device, int slot, std::vector<Bytes> keys, std::uint64_t nowMs) {
  device_ = device;
  slot_ = slot;
  keys_ = std::move(keys);
  arrived_.assign(keys_.size(), false);
  startMs_ = nowMs;
  settled_ = false;
}

AwaitedAnswers::Outcome AwaitedAnswers::Settle(std::uint64_t nowMs) {
  if (!active() || settled_) return Outcome::Waiting;
  if (complete()) {
    settled_ = true;
    return Outcome::Complete;
  }
  if (nowMs - startMs_ < kWaitMs) return Outcome::Waiting;
  settled_ = true;
  return Outcome::Incomplete;
}

bool AwaitedAnswers::Take(int device, int slot, ByteView answer) {
  if (device != device_ || slot != slot_) return false;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    const Bytes& key = keys_[i];
    if (arrived_[i] || answer.size() < key.size() || !std::equal(key.begin(), key.end(), answer.begin())) continue;
    arrived_[i] = true;  // a repeated answer counts once
    return true;
  }
  return false;
}

bool AwaitedAnswers::complete() const {
  return std::all_of(arrived_.begin(), arrived_.end(), [](bool a) { return a; });
}

std::string AwaitedAnswers::MissingText() const {
  std::string text;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (arrived_[i]) continue;
    if (!text.empty()) text += ", ";
    for (std::size_t b = 0; b < keys_[i].size(); ++b) text += (b == 0 ? "" : " ") + HexText(keys_[i][b], 2);
  }
  return text;
}

bool AwaitedAnswers::Missing(int device, int slot, std::uint8_t code) const {
  if (!settled_ || device != device_ || slot != slot_) return false;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (!arrived_[i] && keys_[i][0] == code) return true;
  }
  return false;
}

}  // namespace varnel
