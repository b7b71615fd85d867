#include "transport/time_utils.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace varnel {

std::int64_t SystemClock::unixNow() const {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

LocalDateTime SystemClock::localNow() const {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  LocalDateTime out;
  out.year = tm.tm_year + 1900;
  out.month = tm.tm_mon + 1;
  out.day = tm.tm_mday;
  out.hour = tm.tm_hour;
  out.minute = tm.tm_min;
  out.second = tm.tm_sec;
  return out;
}

std::uint64_t SystemClock::monotonicMs() const {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A negative span (a clock running ahead) keeps its sign in front.
std::string DurationText(std::int64_t seconds) {
  const bool negative = seconds < 0;
  // Unsigned so that the most negative value has a magnitude too.
  const std::uint64_t t = negative ? 0 - static_cast<std::uint64_t>(seconds)
                                   : static_cast<std::uint64_t>(seconds);
  std::string out = negative ? "-" : "";
  out += std::to_string(t / 86400) + "\xD0\xB4";         // д
  out += std::to_string(t % 86400 / 3600) + "\xD1\x87";  // ч
  out += std::to_string(t % 3600 / 60) + "\xD0\xBC";     // м
  out += std::to_string(t % 60) + "c";
  return out;
}

std::int64_t ExpandDeviceTime(std::uint32_t t, std::int64_t nowUnix) {
  const std::int64_t r = t % kDeviceTimeCycle;
  // Floor modulo keeps the cycle start at or before now even before 1970.
  std::int64_t intoCycle = nowUnix % kDeviceTimeCycle;
  if (intoCycle < 0) intoCycle += kDeviceTimeCycle;
  const std::int64_t candidate = nowUnix - intoCycle + r;
  return candidate >= nowUnix + 86400 ? candidate - kDeviceTimeCycle : candidate;
}

std::string TimeText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string DateText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
  return buf;
}

std::string DateTimeText(const LocalDateTime& t) { return DateText(t) + " " + TimeText(t); }

}  // namespace varnel
