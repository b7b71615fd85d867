#include "sim/boards/local_clock.h"

#include <ctime>

namespace varnel::sim {

LocalClock SystemLocalClock() {
  return [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(now) + local.tm_gmtoff;
  };
}

}  // namespace varnel::sim
