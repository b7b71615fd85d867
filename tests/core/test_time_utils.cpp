#include <gtest/gtest.h>

#include <ctime>

#include "transport/time_utils.h"

using namespace varnel;

TEST(TimeUtils, DurationTextAlwaysHasFourParts) {
  EXPECT_EQ(DurationText(90061), "1д1ч1м1c");
  EXPECT_EQ(DurationText(0), "0д0ч0м0c");
  EXPECT_EQ(DurationText(86399), "0д23ч59м59c");
  EXPECT_EQ(DurationText(86400LL * 400 + 7200 + 5), "400д2ч0м5c");
  EXPECT_EQ(DurationText(-61), "-0д0ч1м1c");
}

TEST(TimeUtils, DeviceTimeLandsInTheCurrentOrPreviousCycle) {
  constexpr std::int64_t C = kDeviceTimeCycle;
  const std::int64_t cycleStart = 13 * C;  // some time in 2022
  const std::int64_t now = cycleStart + 5000000;

  EXPECT_EQ(ExpandDeviceTime(4000000, now), cycleStart + 4000000);
  // Less than a day ahead is clock skew, not last cycle.
  EXPECT_EQ(ExpandDeviceTime(5000000 + 86399, now), now + 86399);
  EXPECT_EQ(ExpandDeviceTime(5000000 + 86400, now), now + 86400 - C);
  // The board counter may run past the cycle length.
  EXPECT_EQ(ExpandDeviceTime(static_cast<std::uint32_t>(C + 4000000), now),
            cycleStart + 4000000);
  // Right after a cycle boundary, a stamp from the end of the last cycle.
  EXPECT_EQ(ExpandDeviceTime(static_cast<std::uint32_t>(C - 10), cycleStart + 5),
            cycleStart - 10);
}

TEST(TimeUtils, DateAndTimeTextsArePadded) {
  LocalDateTime t;
  t.year = 2024;
  t.month = 3;
  t.day = 7;
  t.hour = 9;
  t.minute = 5;
  t.second = 0;
  EXPECT_EQ(DateText(t), "07.03.2024");
  EXPECT_EQ(TimeText(t), "09:05:00");
  EXPECT_EQ(DateTimeText(t), "07.03.2024 09:05:00");
}

TEST(TimeUtils, SystemClockAgreesWithTheCLibrary) {
  SystemClock clock;
  const std::time_t before = std::time(nullptr);
  const std::int64_t unix = clock.unixNow();
  const LocalDateTime local = clock.localNow();
  EXPECT_LE(before, unix);
  EXPECT_LE(unix - before, 2);

  std::tm tm{};
  localtime_r(&before, &tm);
  EXPECT_EQ(local.year, tm.tm_year + 1900);
  EXPECT_EQ(local.month, tm.tm_mon + 1);

  const std::uint64_t a = clock.monotonicMs();
  EXPECT_LE(a, clock.monotonicMs());
}
