#include "sim/boards/modem_rate.h"

namespace varnel::sim {

double RateKbps(std::uint8_t rate_byte, std::uint8_t mcu) {
  if (mcu >= 9 && rate_byte >= 128) return 12.8 + (rate_byte - 128) * 0.2;
  return rate_byte / 10.0;
}

}  // namespace varnel::sim
