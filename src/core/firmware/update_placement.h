#pragma once
// Where a checked update file goes in the board's 1 MiB flash image: the
// data from address 0, and at 0x7E000 the 512-byte descriptor block with
// the version (3 characters at +0), the number of blocks (+4, big-endian)
// and the CRC-16 (+8, big-endian); its other bytes are zero.

#include <cstdint>
#include <vector>

#include "firmware/update_file.h"

namespace varnel {

constexpr std::size_t kFlashBytes = 0x100000;

// Flash addresses [begin, end).
struct FlashRange {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  bool operator==(const FlashRange&) const = default;
};

// Fills image (grown to 1 MiB when smaller) and returns the ranges to write,
// in increasing order. Nothing for data that would reach the descriptor.
std::vector<FlashRange> PlaceUpdate(const UpdateFile& file, std::vector<std::uint8_t>& image);

}  // namespace varnel
