#include "boards/termination/subchannel_view.h"
#include "boards/termination/termination_settings_view.h"
#include "core_fakes.h"

using namespace varnel;

namespace {

// "left+width fill label@left" per bar, "~" before a hidden one, the data
// bar's outline last. Colours 0xBBGGRR.
std::string BarText(const SubchannelBar& b, const SubchannelLabel& l) {
  return (b.visible ? "" : "~") + std::to_string(b.left) + "+" + std::to_string(b.width) + " " + HexText(b.fill, 6) +
         " " + l.text + "@" + std::to_string(l.left);
}
std::string RowText(const SubchannelRow& r) {
  return BarText(r.service, r.serviceLabel) + " | " + BarText(r.telemechanics, r.telemechanicsLabel) + " | " +
         BarText(r.voice1, r.voice1Label) + " | " + BarText(r.voice2, r.voice2Label) + " | " +
         BarText(r.data, r.dataLabel) + " " + HexText(r.data.outline, 6);
}

}  // namespace

TEST(SubchannelView, BarsChainedWithColoursAndLabels) {
  struct Case {
    SubchannelState s;
    const char *tx, *rx;
  };
  const Case cases[] = {
      // Voice 1 only, no TM, fast line: data drawn for 15000 + 63001 / 20.
      // Widths round to the nearest pixel (12800 bit/s: 204.8) and are at least 32.
      {{false, 64000, 64000, 1000, -1, 8000, 1, 0, 8000, 63001, 63001, 55001, 55001, true, false, true},
       "12+32 66CC66 1,0@16 | 43+1 AEFFFF @47 | 43+128 C0DCC0 8,0[мод.1]@47 | ~170+128 E0FCE0 8,0[мод.0]@174 | "
       "43+290 F0CAA6 55,0@186 000000",
       "12+32 0000FF 1,0@16 | 43+1 AEFFFF @47 | 43+128 C0DCC0 8,0[мод.1]@47 | ~170+128 E0FCE0 8,0[мод.0]@174 | "
       "43+290 F0CAA6 55,0@186 000000"},
      // Voice 2 after the hidden voice 1, red on receive where two codecs
      // exceed the budget though one runs; 15000 is not yet compressed.
      {{false, 20000, 15000, 2000, 3000, 6400, 0, 3, 6400, 15000, 10000, 8600, 3600, true, true, true},
       "12+32 66CC66 2,0@16 | 43+48 AEFFFF 3,0@47 | ~90+102 C0DCC0 6,4[мод.0]@94 | 191+102 E0FCE0 6,4[мод.3]@195 | "
       "90+240 F0CAA6 8,6@98 000000",
       "12+32 66CC66 2,0@16 | 43+48 AEFFFF 3,0@47 | ~90+102 C0DCC0 6,4[мод.0]@94 | 191+102 0000FF 6,4[мод.3]@195 | "
       "90+160 F0CAA6 3,6@98 000000"},
      // Both voices take all: data rate 0 on transmit, negative on receive.
      {{false, 14800, 2000, 1000, 1000, 6400, 2, 1, 12800, 12800, 0, 0, -12800, false, true, false},
       "12+32 0000FF 1,0@16 | 43+32 AEFFFF 1,0@47 | 74+102 C0DCC0 6,4[мод.2]@78 | 175+102 E0FCE0 6,4[мод.1]@179 | "
       "74+205 F0CAA6 @285 000080",
       "12+32 66CC66 1,0@16 | 43+32 AEFFFF 1,0@47 | 74+102 0000FF 6,4[мод.2]@78 | 175+102 0000FF 6,4[мод.1]@179 | "
       "74+32 F0CAA6 @285 0000FF"},
  };
  for (const auto& c : cases) {
    const SubchannelView v = ComputeSubchannelView(c.s);
    EXPECT_EQ(RowText(v.tx), c.tx);
    EXPECT_EQ(RowText(v.rx), c.rx);
  }
  EXPECT_EQ(ComputeSubchannelView(cases[0].s).lineRx, "Приём:    64,0 кбит/с");
  EXPECT_EQ(ComputeSubchannelView(cases[1].s, 100).tx.voice2.left, 279);
  SubchannelState edge = cases[0].s;
  for (auto [budget, width] : {std::pair{15001, 252}, {-500, 1}}) {
    edge.dataTxBudget = budget;
    EXPECT_EQ(ComputeSubchannelView(edge).tx.data.width, width) << budget;
  }
}

TEST(TerminationSettingsView, TextsContactsAndModules) {
  TBRDS b;
  b.Valid = 1, b.Ver1 = 1, b.Ver2 = 8, b.Word16 = 0xA5, b.Values[0] = 90061, b.Values[1] = 0x0E;
  b.Modules[1].Tag = 7, b.Modules[2].Tag = 9;
  TerminationSettingsView v = ComputeTerminationSettings(b);
  EXPECT_TRUE(v.pagesVisible);
  EXPECT_EQ(v.version, "Плата СЛ   v.1.8    №00A5  Время работы: 1д1ч1м1c");
  EXPECT_EQ(v.modules, "[1]   [2]   [3]\rНет   FO    FS    ");
  EXPECT_EQ(std::pair(v.inputColour, v.outputColour), std::pair(0xC0C0C0u, 0x00FFFFu));
  b.Modules[0].Tag = 13, b.Modules[1].Tag = 5, b.Values[1] = 1, b.Valid = 0;
  v = ComputeTerminationSettings(b);
  EXPECT_FALSE(v.pagesVisible);
  EXPECT_EQ(v.modules, "[1]   [2]   [3]\r4W01  неизв. FS    ");
  EXPECT_EQ(std::pair(v.inputColour, v.outputColour), std::pair(0x00FFFFu, 0xC0C0C0u));
  for (auto [ver1, ver2, shown] : {std::tuple{1, 7, false}, {1, 8, true}, {2, 0, true}, {0, 12, true}, {0, 0, false}})
    EXPECT_EQ(TerminationHasContacts(ver1, ver2), shown) << ver1 << "." << ver2;
}
