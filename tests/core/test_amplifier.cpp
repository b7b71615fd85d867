#include "boards/amplifier/amplifier_alarms.h"
#include "boards/amplifier/amplifier_parser.h"
#include "boards/amplifier/amplifier_view.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

using Strings = std::vector<std::string>;

struct RecordingPages : BoardPageEvents {
  Strings calls;
  void OpenBoardPage(int d, int s) override { calls.push_back("open " + std::to_string(d) + " " + std::to_string(s)); }
  void ApplyRateLimits() override {}
  void AppendMemoLine(std::string_view) override {}
};

class AmplifierTest : public ::testing::Test {
 protected:
  AmplifierTest() { trace.setSink(&lines); }
  bool Parse(const Bytes& data, int slot = 8) { return parser.GetInfAP(3, dev, data, slot); }
  TBRDS& board() { return dev.board(8); }
  AmplifierView View() { return ComputeAmplifierView(board()); }

  ManualClock clock = ClockAt(10, 20, 30);
  TraceLog trace{clock};
  RecordingTrace lines;
  RecordingPages pages;
  AmplifierParser parser{trace, pages};
  TStructDev dev;
};

}  // namespace

TEST_F(AmplifierTest, InformationLinesAndBoxes) {
  // Alarms A1, A3, A4 and two amplifiers; A1 not masked.
  ASSERT_TRUE(Parse({0x01, 0x07, 0x5A, 20, 45, 0x02}));
  EXPECT_EQ(View().info,
            "Версия ПО: 7\r Аварии: \r    -Обрыв линии (A1)\r    -Нет сигнала на входе УМ (A3)\r"
            "    -Высокая температура (A4)\rУровень передачи: 20 дБм(среднеквадратичное)\rТемпература: 45°C");
  EXPECT_TRUE(View().parametersVisible);
  EXPECT_TRUE(View().masksVisible);
  // The boxes as shown write back what was read.
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x03);
  // Five bytes keep the masks; version 6 hides them, and they are still written.
  ASSERT_TRUE(Parse({0x01, 0x06, 0x04, 0, 255}));
  EXPECT_EQ(board().Texts[1], " Аварии: \r    --");
  EXPECT_EQ(board().Texts[3], "Температура: 255°C");
  EXPECT_FALSE(View().masksVisible);
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x02);
  ASSERT_TRUE(Parse({0x01, 0x06, 0xC1, 0, 0, 0xFF}));  // bits 0 and 7 are no alarms
  EXPECT_EQ(board().Texts[1], "Аварии: нет");
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x1B);
  EXPECT_EQ(pages.calls, (Strings{"open 3 8", "open 3 8", "open 3 8"}));
}

TEST_F(AmplifierTest, FirstShortAnswerShowsEveryMaskTicked) {
  ASSERT_TRUE(Parse({0x01, 0x09, 0x00, 1, 2}));
  const AmplifierView v = View();
  EXPECT_TRUE(v.boxes.maskA1 && v.boxes.maskA3 && v.boxes.maskA4);
  EXPECT_FALSE(v.boxes.twoAmplifiers);
}

TEST_F(AmplifierTest, OtherKindsRefreshTheFailuresStoreNothing) {
  EXPECT_TRUE(Parse({0x02}, 6));
  EXPECT_TRUE(Parse({0x10, 0x01, 0x07, 0x1A, 1, 2}));
  EXPECT_EQ(pages.calls, (Strings{"open 3 6", "open 3 8"}));
  EXPECT_EQ(board().Valid, 0);
  EXPECT_FALSE(View().parametersVisible);

  pages.calls.clear();
  const std::tuple<Bytes, int, const char*> failures[] = {
      {{}, 8, "  GetInfAP err0"}, {{0x01, 7, 0, 1, 2}, 7, "  GetInfAP err1"},
      {{0x01, 7, 0, 1, 2}, 4, "  GetInfAP err1"}, {{0x01, 7, 0, 1}, 6, "  GetInfAP err2"}};
  for (const auto& [data, slot, error] : failures) {
    lines.lines.clear();
    EXPECT_FALSE(Parse(data, slot));
    EXPECT_EQ(lines.messages(), (Strings{"    GetInfAP " + std::to_string(slot), error}));
  }
  EXPECT_TRUE(pages.calls.empty());
  for (const auto& b : dev.boards) EXPECT_EQ(b.Valid, 0);
}

TEST(AmplifierAlarms, NamesOnlyForBitsOneToFour) {
  EXPECT_EQ(AmplifierAlarmName(0), "");
  EXPECT_EQ(AmplifierAlarmName(2), "-");
  EXPECT_EQ(AmplifierAlarmName(4), "Высокая температура (A4)");
  EXPECT_EQ(AmplifierAlarmName(5), "");
}
