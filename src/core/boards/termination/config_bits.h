#pragma once
// Reading and writing single bits and small fields of one configuration
// byte; a write leaves every other bit as it was.

#include <cstdint>

#include "wire/byte_utils.h"

namespace varnel {

inline bool Flag(std::uint8_t b, int n) { return Bit8(b, n) != 0; }
inline int Field(std::uint8_t b, int start, int count) { return static_cast<int>(Bits32(b, start, count)); }

inline void PutFlag(std::uint8_t& b, int n, bool on) { on ? SetBit8(b, n) : ClearBit8(b, n); }

// A value that does not fit the field (kNoSelection among them) keeps the bits.
inline void PutField(std::uint8_t& b, int start, int count, int value) {
  const int mask = (1 << count) - 1;
  if (value < 0 || value > mask) return;
  b = static_cast<std::uint8_t>((b & ~(mask << start)) | (value << start));
}

}  // namespace varnel
