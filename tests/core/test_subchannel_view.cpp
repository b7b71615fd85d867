#include "boards/termination/subchannel_view.h"
#include "boards/termination/termination_settings_view.h"
#include "core_fakes.h"

using namespace varnel;

namespace {

// Fill colours, 0xBBGGRR.
constexpr std::uint32_t kGreen = 0x66CC66, kRed = 0x0000FF, kTm = 0xAEFFFF, kVoice = 0xC0DCC0, kVoice2 = 0xE0FCE0,
                        kData = 0xF0CAA6, kMaroon = 0x000080;

struct ExpectedBar {
  int left, width;
  std::uint32_t fill;
  bool visible;
};

void ExpectBar(const SubchannelBar& bar, const ExpectedBar& e, const char* name) {
  EXPECT_EQ(bar.left, e.left) << name;
  EXPECT_EQ(bar.width, e.width) << name;
  EXPECT_EQ(bar.fill, e.fill) << name;
  EXPECT_EQ(bar.visible, e.visible) << name;
}

void ExpectLabel(const SubchannelLabel& label, const std::string& text, int left, const char* name) {
  EXPECT_EQ(label.text, text) << name;
  EXPECT_EQ(label.left, left) << name;
}

// Service, telemechanics, voice 1, voice 2 and data of one row.
void ExpectBars(const SubchannelRow& r, const std::array<ExpectedBar, 5>& e) {
  ExpectBar(r.service, e[0], "service");
  ExpectBar(r.telemechanics, e[1], "telemechanics");
  ExpectBar(r.voice1, e[2], "voice 1");
  ExpectBar(r.voice2, e[3], "voice 2");
  ExpectBar(r.data, e[4], "data");
}

}  // namespace

TEST(SubchannelView, RateBarWidth) {
  const std::pair<std::int32_t, int> cases[] = {{-1, 1},       {-64000, 1},   {0, 32},      {1999, 32},
                                                {2032, 33},    {2062, 33},    {6400, 102},  {18150, 290},
                                                {64000, 1024}, {6553500, 104856}};
  for (auto [rate, width] : cases) EXPECT_EQ(RateBarWidth(rate), width) << rate;
}

// Voice 1 only, no telemechanics, a fast line: the data bar is compressed.
TEST(SubchannelView, VoiceOneOnAFastLine) {
  const SubchannelState s{false, 64000, 64000, 1000, -1, 8000, 1, 0, 8000, 63001, 63001, 55001, 55001,
                          true,  false, true};
  const SubchannelView v = ComputeSubchannelView(s);
  EXPECT_EQ(v.lineTx, "Передача: 64,0 кбит/с");
  EXPECT_EQ(v.lineRx, "Приём:    64,0 кбит/с");
  ExpectBars(v.tx, {{{12, 32, kGreen, true}, {43, 1, kTm, true}, {43, 128, kVoice, true}, {170, 128, kVoice2, false},
                     {43, 290, kData, true}}});
  EXPECT_EQ(v.tx.data.outline, 0u);
  EXPECT_EQ(v.rx.service.fill, kRed);
  ExpectLabel(v.tx.serviceLabel, "1,0", 16, "service");
  ExpectLabel(v.tx.telemechanicsLabel, "", 47, "telemechanics");
  ExpectLabel(v.tx.voice1Label, "8,0[мод.1]", 47, "voice 1");
  ExpectLabel(v.rx.dataLabel, "55,0", 186, "data");
  EXPECT_FALSE(v.tx.voice2Label.visible);
  // Compression starts above 15000 bit/s.
  SubchannelState edge = s;
  for (auto [budget, width] : {std::pair{15000, 240}, {15001, 252}, {15020, 252}, {14999, 240}}) {
    edge.dataTxBudget = budget;
    EXPECT_EQ(ComputeSubchannelView(edge).tx.data.width, width) << budget;
  }
}

// Voice 2 keeps its place after the hidden voice 1 and turns red when two
// codec rates do not fit, though only one channel runs.
TEST(SubchannelView, VoiceTwoWithoutVoiceOne) {
  const SubchannelState s{false, 20000, 15000, 2000, 3000, 6400, 0, 3, 6400, 15000, 10000, 8600, 3600,
                          true,  true,  true};
  const SubchannelView v = ComputeSubchannelView(s);
  ExpectBars(v.tx, {{{12, 32, kGreen, true}, {43, 48, kTm, true}, {90, 102, kVoice, false}, {191, 102, kVoice2, true},
                     {90, 240, kData, true}}});
  ExpectBars(v.rx, {{{12, 32, kGreen, true}, {43, 48, kTm, true}, {90, 102, kVoice, false}, {191, 102, kRed, true},
                     {90, 160, kData, true}}});
  ExpectLabel(v.tx.telemechanicsLabel, "3,0", 47, "telemechanics");
  ExpectLabel(v.rx.voice2Label, "6,4[мод.3]", 195, "voice 2");
  ExpectLabel(v.tx.dataLabel, "8,6", 98, "data");
  EXPECT_EQ(ComputeSubchannelView(s, 100).tx.voice2.left, 279);
}

// Both voices use up the budget: data rate 0 on transmit, negative on receive.
TEST(SubchannelView, NoCapacityLeftForData) {
  const SubchannelState s{false, 14800, 2000, 1000, 1000, 6400, 2, 1, 12800, 12800, 0, 0, -12800,
                          false, true,  false};
  const SubchannelView v = ComputeSubchannelView(s);
  ExpectBars(v.tx, {{{12, 32, kRed, true}, {43, 32, kTm, true}, {74, 102, kVoice, true}, {175, 102, kVoice2, true},
                     {74, 205, kData, true}}});
  ExpectBars(v.rx, {{{12, 32, kGreen, true}, {43, 32, kTm, true}, {74, 102, kRed, true}, {175, 102, kRed, true},
                     {74, 32, kData, true}}});
  EXPECT_EQ(v.tx.data.outline, kMaroon);
  EXPECT_EQ(v.rx.data.outline, kRed);
  ExpectLabel(v.tx.dataLabel, "", 285, "data tx");
  ExpectLabel(v.rx.dataLabel, "", 285, "data rx");
  SubchannelState negative = s;
  negative.dataRxBudget = -500;
  EXPECT_EQ(ComputeSubchannelView(negative).rx.data.width, 1);
}

TEST(TerminationSettingsView, TextsContactsAndModules) {
  TBRDS b;
  b.Valid = 1, b.Ver1 = 1, b.Ver2 = 8, b.Word16 = 0xA5;
  b.Values[0] = 90061;
  b.Values[1] = 0x0E;  // output relay on, input off
  b.Modules[1].Tag = 7, b.Modules[2].Tag = 9;
  TerminationSettingsView v = ComputeTerminationSettings(b);
  EXPECT_TRUE(v.pagesVisible);
  EXPECT_EQ(v.version, "Плата СЛ   v.1.8    №00A5  Время работы: 1д1ч1м1c");
  EXPECT_EQ(v.modules, "[1]   [2]   [3]\rНет   FO    FS    ");
  EXPECT_EQ(v.inputColour, 0xC0C0C0u);
  EXPECT_EQ(v.outputColour, 0x00FFFFu);
  b.Modules[0].Tag = 13, b.Modules[1].Tag = 5, b.Values[1] = 1, b.Valid = 0;
  v = ComputeTerminationSettings(b);
  EXPECT_FALSE(v.pagesVisible);
  EXPECT_EQ(v.modules, "[1]   [2]   [3]\r4W01  неизв. FS    ");
  EXPECT_EQ(v.inputColour, 0x00FFFFu);
  EXPECT_EQ(v.outputColour, 0xC0C0C0u);

  const std::tuple<int, int, bool> versions[] = {{1, 7, false}, {1, 8, true}, {2, 0, true}, {0, 12, true}, {0, 0, false}};
  for (auto [ver1, ver2, shown] : versions) {
    b.Ver1 = static_cast<std::uint8_t>(ver1), b.Ver2 = static_cast<std::uint8_t>(ver2);
    EXPECT_EQ(ComputeTerminationSettings(b).contactsVisible, shown) << ver1 << "." << ver2;
  }
}
