#include "wire/receive_queue.h"

#include <string>

namespace varnel {

ReceiveQueue::Offer ReceiveQueue::offer(const std::uint8_t* data, std::size_t n,
                                        std::string_view senderIp, std::uint16_t senderPort,
                                        std::string_view peerIp, TraceLog& trace) {
  if (senderIp != peerIp || senderPort != kDevicePort) {
    if (trace.wants(0)) {
      trace.Trace("  <<Remote " + std::string(senderIp) + ":" + std::to_string(senderPort), 0);
    }
    return Offer::Foreign;
  }
  if (count_ >= kSlots) {
    trace.Trace("Udp err ovfl", 1);
    return Offer::Overflow;
  }
  slots_[count_].assign(data, data + n);  // slot keeps its capacity across ticks
  ++count_;
  return Offer::Queued;
}

}  // namespace varnel
