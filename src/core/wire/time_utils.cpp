#include "wire/time_utils.h"

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

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back
// (the era-based civil calendar conversion).
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

LocalDateTime CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  LocalDateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  return t;
}

}  // namespace

std::int64_t LocalSeconds(const LocalDateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalDateTime LocalFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  LocalDateTime t = CivilFromDays(days);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
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
