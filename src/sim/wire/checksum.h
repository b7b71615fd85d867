#pragma once
// The one-byte Frame checksum as a block computes it.

#include "sim/wire/bytes.h"

namespace varnel::sim {

// Complemented one's-complement sum with end-around carry: a frame followed by
// its own checksum gives 0 here, which is how both sides check a datagram.
std::uint8_t FrameChecksum(ByteView bytes);

}  // namespace varnel::sim
