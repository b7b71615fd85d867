#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "network/polling_scheduler.h"

using namespace varnel;

namespace {

// Records each action with the counter value it ran at, e.g. "read@2000".
class SchedulerTest : public ::testing::Test {
 protected:
  void Note(const char* what) { log.push_back(std::string(what) + "@" + std::to_string(scheduler.counter().ms())); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) scheduler.Tick();
  }

  std::vector<std::string> log;
  bool allowed = true;
  PollingScheduler scheduler{{[this] { Note("clock"); }, [this] { Note("explore"); }, [this] { return allowed; },
                              [this] { Note("read"); }}};
};

}  // namespace

TEST_F(SchedulerTest, WholeSecondsAndAutoReadPeriod) {
  scheduler.setAutoReadPeriod(2);
  Ticks(45);
  EXPECT_EQ(log, (std::vector<std::string>{"clock@1000", "explore@1000", "clock@2000", "explore@2000", "read@2000",
                                           "clock@3000", "explore@3000", "clock@4000", "explore@4000", "read@4000"}));
  EXPECT_EQ(scheduler.counter().ms(), 4500u);
}

TEST_F(SchedulerTest, AutoReadSwitchedOffStaysOffUntilSetAgain) {
  scheduler.setAutoReadPeriod(1);
  Ticks(10);
  allowed = false;
  Ticks(1);
  EXPECT_EQ(scheduler.autoReadPeriod(), 0);
  allowed = true;
  Ticks(19);
  scheduler.setAutoReadPeriod(1);
  Ticks(10);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@1000"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@4000"), 1);
  EXPECT_EQ(log.size(), 10u);  // clock and explore for 4 seconds, 2 reads
}

TEST_F(SchedulerTest, CounterWrapCountsAsWholeSecond) {
  scheduler.counter().reset(0xFFFFF000u - 300);
  scheduler.setAutoReadPeriod(3);
  Ticks(13);
  EXPECT_EQ(log, (std::vector<std::string>{"clock@4294963000", "explore@4294963000", "clock@0", "explore@0", "read@0",
                                           "clock@1000", "explore@1000"}));
}

TEST(AutoReadAllowed, ModemChannelPageOrAnsweredTerminationBoard) {
  EXPECT_TRUE(AutoReadAllowed(4, true, 0, 0));
  EXPECT_FALSE(AutoReadAllowed(4, false, 3, 1));
  EXPECT_TRUE(AutoReadAllowed(1, false, 0, 2));
  EXPECT_FALSE(AutoReadAllowed(2, true, 0, 0));
  EXPECT_FALSE(AutoReadAllowed(5, true, 1, 1));
}
