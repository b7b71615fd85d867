#include "sim/wire/checksum.h"

namespace varnel::sim {

std::uint8_t FrameChecksum(ByteView bytes) {
  unsigned sum = 0;
  for (std::uint8_t b : bytes) {
    sum += b;
    // Fold the carry back in after every byte, so the sum never leaves 0..255.
    if (sum > 0xFF) sum = (sum & 0xFF) + 1;
  }
  return static_cast<std::uint8_t>(~sum & 0xFF);
}

}  // namespace varnel::sim
