#pragma once
// Sixteen slots between the receive event and the drain. Only the current
// peer's answers from the block port are queued; the drain hands them on in
// arrival order and never from inside the receive path.

#include <array>
#include <string_view>

#include "wire/frame.h"
#include "wire/trace_log.h"

namespace varnel {

class ReceiveQueue {
 public:
  static constexpr int kSlots = 16;
  enum class Offer { Queued, Foreign, Overflow };

  Offer offer(const std::uint8_t* data, std::size_t n, std::string_view senderIp,
              std::uint16_t senderPort, std::string_view peerIp, TraceLog& trace);

  int count() const { return count_; }
  void clear() { count_ = 0; }

  // Hands slots 1..count to dispatch in order and empties the queue. The
  // datagrams are taken out first: a handler that runs a nested event loop
  // (a message box) may receive again without overwriting or repeating them.
  template <typename Dispatch>
  void drain(Dispatch&& dispatch) {
    std::array<Bytes, kSlots> taken;
    const int n = count_;
    for (int i = 0; i < n; ++i) taken[i].swap(slots_[i]);
    count_ = 0;
    for (int i = 0; i < n; ++i) dispatch(static_cast<const Bytes&>(taken[i]));
  }

 private:
  std::array<Bytes, kSlots> slots_;
  int count_ = 0;
};

}  // namespace varnel
