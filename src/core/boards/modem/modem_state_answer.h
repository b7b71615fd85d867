#pragma once
// Decoding of the channel state answers 15..17 into the channel's module
// of the answering board: receiver state, level, and for digital channels
// rates, noise margin and errors.

#include <optional>
#include <string>

#include "model/board_state.h"
#include "wire/byte_utils.h"

namespace varnel {

// Channel kinds stored in element 3 of the module.
enum ChannelKind : std::uint32_t { kKindUnknown = 0, kKindDigital = 1, kKindAnalog = 2, kKindTransit = 3 };

// Returns the failure stage when the answer is too short, else nothing.
std::optional<int> StoreChannelState(TBRDS& board, ByteView data);

// -0.2 dB per step, ">" at the top of the scale, "<" at the bottom.
std::string InputLevelText(std::uint8_t b);
// 65535 means the counter overflowed.
std::string ErrorCountText(std::uint16_t n);
// Ten times the negative decimal logarithm of the ratio; bit 7 = "below".
std::string ErrorRatioText(std::uint8_t b);

}  // namespace varnel
