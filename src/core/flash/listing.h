#pragma once
// The debug memo's listing of a flash read answer.

#include <cstdint>
#include <string>
#include <vector>

#include "wire/byte_utils.h"

namespace varnel {

// A header line, the data 16 bytes a line, each line headed by the board's
// own view of the address (offset 0x4C0000), the CRC check's result after the
// last byte, and a closing line.
std::vector<std::string> FlashReadListing(std::uint32_t address, ByteView data, std::uint8_t crcResult);

}  // namespace varnel
