#pragma once
// Receiver rate bytes: one scale up to MCU version 8, a finer and a coarser
// half from version 9.

#include <cstdint>

namespace varnel::sim {

double RateKbps(std::uint8_t rate_byte, std::uint8_t mcu);

}  // namespace varnel::sim
