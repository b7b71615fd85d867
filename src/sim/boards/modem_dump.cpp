#include "sim/boards/modem_dump.h"

namespace varnel::sim {

std::uint8_t MemoryByte(std::uint16_t address) {
  return static_cast<std::uint8_t>((address & 0xFF) ^ (address >> 8));
}

Bytes DumpAnswer(std::uint16_t address, unsigned count) {
  Bytes body{0x00, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8)};
  for (unsigned i = 0; i < count; ++i) {
    body.push_back(MemoryByte(static_cast<std::uint16_t>(address + i)));
  }
  return body;
}

}  // namespace varnel::sim
