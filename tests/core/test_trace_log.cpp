#include "core_fakes.h"
#include "network/poll_counter.h"

using namespace varnel;
using namespace varnel::testing;

TEST(TraceLog, LevelOneAlwaysOtherLevelsOnlyInDebug) {
  ManualClock clock = ClockAt(9, 5, 7);
  TraceLog log(clock);
  RecordingTrace sink;
  log.setSink(&sink);

  log.Trace("zero", 0);
  log.Trace("two", 2);
  log.Trace("one", 1);
  EXPECT_EQ(sink.lines, std::vector<std::string>{"[09:05:07] one"});

  log.setDebug(true);
  log.Trace("zero", 0);
  log.Trace("two", 2);
  EXPECT_EQ(sink.messages(), (std::vector<std::string>{"one", "zero", "two"}));
}

TEST(TraceLog, StampChangesOnlyOnRefresh) {
  ManualClock clock = ClockAt(23, 59, 59);
  TraceLog log(clock);
  RecordingTrace sink;
  log.setSink(&sink);

  log.Trace("a", 1);
  clock.local = LocalDateTime{2024, 3, 8, 0, 0, 1};
  log.Trace("b", 1);
  log.RefreshClock();
  log.Trace("c", 1);
  EXPECT_EQ(sink.lines, (std::vector<std::string>{"[23:59:59] a", "[23:59:59] b", "[00:00:01] c"}));
  EXPECT_EQ(log.dateText(), "08.03.2024");
}

class StatusBarTest : public LinkTest {};

TEST_F(StatusBarTest, ClockAndTrafficPanels) {
  EXPECT_EQ(link.ClockPanelText(), "10:20:30   07.03.2024");

  EXPECT_EQ(link.TrafficPanelText(), "");  // no board selected
  const int root = AddDevice(Route{1}, Route{1});
  link.request.currentDevice = root;
  link.request.selectedSlot = 4;
  link.registry.device(root).board(4).Requests = 12;
  link.registry.device(root).board(4).Answers = 7;
  // Ten-character label "ВК20" plus six blanks, then one more blank.
  EXPECT_EQ(link.TrafficPanelText(), "ВК20       Запросов:12 Ответов:7");
}

TEST(PollCounter, WholeSecondEveryTenTicksAndAtTheWrap) {
  PollCounter c;
  for (int i = 1; i <= 20; ++i) EXPECT_EQ(c.Tick(), i % 10 == 0) << i;
  EXPECT_EQ(c.ms(), 2000u);

  // 4294963000 is a whole second; 4294963200 is not, but it wraps to 0.
  c.reset(4294963000u);
  EXPECT_FALSE(c.Tick());
  EXPECT_EQ(c.ms(), 4294963100u);
  EXPECT_TRUE(c.Tick());
  EXPECT_EQ(c.ms(), 0u);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(c.Tick(), i == 10) << i;
}
