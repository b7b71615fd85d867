#include "core_fakes.h"
#include "wire/frame.h"
#include "wire/trace_log.h"

using namespace varnel;
using namespace varnel::testing;

TEST(Frame, ChecksumFoldsTheCarryTwiceNibblesPackFirstLow) {
  EXPECT_EQ(FrameChecksum(Bytes{}), 0xFF);
  EXPECT_EQ(FrameChecksum(Bytes{0x00, 0x0F}), 0xF0);
  EXPECT_EQ(FrameChecksum(Bytes{0xFF, 0x01}), 0xFE);  // 0x100 folds to 1: the end-around carry
  // Sum 0x1FFFF: 01 + FF + FF = 0x1FF, then 0x100, and only the second fold gives 1.
  Bytes twoFolds(514, 0xFF);
  twoFolds.push_back(0x01);
  EXPECT_EQ(FrameChecksum(twoFolds), 0xFE);
  // Odd length padded with a 0 nibble; only the low four bits count.
  EXPECT_EQ(PackNibbles(Route{1, 2, 5}), (Bytes{0x21, 0x05}));
  EXPECT_EQ(PackNibbles(Route{0x1F, 0x24}), Bytes{0x4F});
  EXPECT_EQ(NibblesToText(Route{1, 2, 10, 0}), ".1.2.A.0");
}

TEST(TraceLog, LevelOneAlwaysOtherLevelsOnlyInDebugStampOnlyOnRefresh) {
  ManualClock clock = ClockAt(23, 59, 59);
  TraceLog log(clock);
  RecordingTrace sink;
  log.setSink(&sink);
  log.Trace("zero", 0);
  log.Trace("two", 2);
  log.Trace("one", 1);
  clock.local = LocalDateTime{2024, 3, 8, 0, 0, 1};
  log.setDebug(true);
  log.Trace("zero", 0);
  log.RefreshClock();
  log.Trace("two", 2);
  EXPECT_EQ(sink.lines, (Strings{"[23:59:59] one", "[23:59:59] zero", "[00:00:01] two"}));
  EXPECT_EQ(log.dateText(), "08.03.2024");
}
