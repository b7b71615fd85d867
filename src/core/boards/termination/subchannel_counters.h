#pragma once
// The counters text of the subchannel page (LabRateSL): Ethernet/IP and
// RS-232 traffic, the PoE measurement and the error counters. Lines end in
// a carriage return.

#include <cstdint>
#include <string>

#include "wire/byte_utils.h"

namespace varnel {

// PoE bits as stored from the board information: bit 0 supported, bit 1 blocked.
// word is the PoE measurement word of the subchannel state answer.
std::string PoeText(std::uint32_t poeBits, std::uint32_t word);

// A digital-mode answer (35 bytes or more); empty for a shorter one.
std::string SubchannelCountersText(ByteView data, std::uint32_t poeBits);

}  // namespace varnel
