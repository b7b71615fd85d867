#include "sim/wire/crc.h"

namespace varnel::sim {

namespace {

// Shifts each byte in from the low end, as the boards do, without a table.
template <typename Crc>
Crc ReflectedCrc(ByteView bytes, Crc crc, Crc polynomial) {
  for (std::uint8_t b : bytes) {
    crc = static_cast<Crc>(crc ^ b);
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<Crc>((crc & 1) != 0 ? (crc >> 1) ^ polynomial : crc >> 1);
    }
  }
  return crc;
}

}  // namespace

std::uint8_t Crc8(ByteView bytes) { return ReflectedCrc<std::uint8_t>(bytes, 0xFF, 0x8C); }

std::uint16_t Crc16(ByteView bytes) { return ReflectedCrc<std::uint16_t>(bytes, 0xFFFF, 0xA001); }

}  // namespace varnel::sim
