#pragma once
// Clock abstraction, duration text, board timestamps and the fixed
// date/time formats ("dd.mm.yyyy", "hh:nn:ss") the program uses everywhere.

#include <cstdint>
#include <string>

namespace varnel {

struct LocalDateTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// Injectable so that anything timed can be tested without real time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t unixNow() const = 0;        // seconds since 1970-01-01 UTC
  virtual LocalDateTime localNow() const = 0;      // wall clock in the local zone
  virtual std::uint64_t monotonicMs() const = 0;   // for intervals only
};

class SystemClock final : public Clock {
 public:
  std::int64_t unixNow() const override;
  LocalDateTime localNow() const override;
  std::uint64_t monotonicMs() const override;
};

// Test clock: set or advance by hand.
class ManualClock final : public Clock {
 public:
  std::int64_t unix = 0;
  LocalDateTime local;
  std::uint64_t ms = 0;
  std::int64_t unixNow() const override { return unix; }
  LocalDateTime localNow() const override { return local; }
  std::uint64_t monotonicMs() const override { return ms; }
};

// "1д1ч1м1c" for 90061 s; all four parts always present.
std::string DurationText(std::int64_t seconds);
// Board clocks count seconds in a 1461-day cycle; place t in the cycle of now
// (or the previous one when it would land a day or more in the future).
constexpr std::int64_t kDeviceTimeCycle = 126230400;
std::int64_t ExpandDeviceTime(std::uint32_t t, std::int64_t nowUnix);

// Board clocks run on the PC's wall clock: local date and time counted as
// if it were UTC seconds since 1970, so no time zone enters the conversion.
std::int64_t LocalSeconds(const LocalDateTime& t);
LocalDateTime LocalFromSeconds(std::int64_t seconds);

std::string TimeText(const LocalDateTime& t);      // "hh:nn:ss"
std::string DateText(const LocalDateTime& t);      // "dd.mm.yyyy"
std::string DateTimeText(const LocalDateTime& t);  // date, blank, time

}  // namespace varnel
