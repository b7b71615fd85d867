#include "boards/amplifier/amplifier_parser.h"
#include "boards/amplifier/amplifier_view.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class AmplifierTest : public ParserTest {
 protected:
  bool Parse(const Bytes& data, int slot = 8) { return parser.GetInfAP(3, dev, data, slot); }
  AmplifierView View() { return ComputeAmplifierView(dev.board(8)); }

  AmplifierParser parser{trace, pages};
};

}  // namespace

TEST_F(AmplifierTest, InformationLinesAndBoxes) {
  // Version 6 has no mask byte, so every mask box is ticked.
  ASSERT_TRUE(Parse({0x01, 0x06, 0x04, 0, 255}));
  EXPECT_EQ(dev.board(8).Texts[1], " Аварии: \r    --");
  EXPECT_FALSE(View().masksVisible);
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x00);
  // Alarms A1, A3, A4 and two amplifiers; A1 not masked.
  ASSERT_TRUE(Parse({0x01, 0x07, 0x5A, 20, 45, 0x02}));
  EXPECT_EQ(View().info,
            "Версия ПО: 7\r Аварии: \r    -Обрыв линии (A1)\r    -Нет сигнала на входе УМ (A3)\r"
            "    -Высокая температура (A4)\rУровень передачи: 20 дБм(среднеквадратичное)\rТемпература: 45°C");
  EXPECT_TRUE(View().parametersVisible && View().masksVisible);
  // The boxes as shown write back what was read.
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x03);
  ASSERT_TRUE(Parse({0x01, 0x06, 0xC1, 0, 0}));  // masks kept; bits 0 and 7 are no alarms
  EXPECT_EQ(dev.board(8).Texts[1], "Аварии: нет");
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x03);
  ASSERT_TRUE(Parse({0x01, 0x06, 0x00, 0, 0, 0xFF}));
  EXPECT_EQ(AmplifierSettingByte(View().boxes), 0x1A);
  EXPECT_EQ(pages.calls, Strings(4, "open 3 8"));
}

TEST_F(AmplifierTest, OtherKindsRefreshTheFailuresStoreNothing) {
  EXPECT_TRUE(Parse({0x02}, 6));
  EXPECT_TRUE(Parse({0x10, 0x01, 0x07, 0x1A, 1, 2}));
  EXPECT_EQ(pages.calls, (Strings{"open 3 6", "open 3 8"}));
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
