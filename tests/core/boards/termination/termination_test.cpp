#include "app/program.h"
#include "boards/termination/subchannel_counters.h"
#include "boards/termination/subchannel_view.h"
#include "boards/termination/termination_settings_view.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

struct RecordingTerminationView : BoardPageEvents, TerminationViewEvents, TerminationFlashHandler {
  Strings calls;
  std::vector<SubchannelState> states;
  std::string counters;
  void Call(std::string what, int d, int s) { calls.push_back(what + " " + std::to_string(d) + " " + std::to_string(s)); }
  void OpenBoardPage(int d, int s) override { Call("open", d, s); }
  void ApplyRateLimits() override {}
  void AppendMemoLine(std::string_view) override {}
  void ShowSubchannelState(int d, int s, const SubchannelState& st, const std::string& text) override {
    Call("state", d, s), states.push_back(st), counters = text;
  }
  void ShowAnalogLevel(const std::string& text) override { calls.push_back("analog " + text); }
  void ShowLoopState(const std::string& caption) override { calls.push_back("loop " + caption); }
  void OnFlashAnswer(int device, ByteView data, int slot) override {
    Call("flash " + BytesToHex(data.data(), data.size()), device, slot);
  }
};

// A kind 2 answer of n bytes, all 0 but the flags and the bytes given.
Bytes Subchannels(std::size_t n, std::uint8_t flagsA, std::vector<std::pair<std::size_t, std::uint8_t>> bytes = {}) {
  Bytes b(n, 0);
  b[0] = 0x02;
  if (n > 24) b[24] = flagsA;
  for (auto [i, v] : bytes) b[i] = v;
  return b;
}

class TerminationParserTest : public ParserTest {
 protected:
  bool Parse(const Bytes& data, int slot = 1) { return parser.GetInfSL(2, dev, data, slot); }
  TBRDS& board() { return dev.board(1); }

  RecordingTerminationView view;
  TerminationParser parser{trace, view, view};
};

}  // namespace

TEST_F(TerminationParserTest, BoardInformationWithAndWithoutOptionalFields) {
  ASSERT_TRUE(Parse({0x01, 0x01, 0x08, 0xF7, 0x09, 0x0D, 0x12, 0xAB, 0x00, 0x01, 0x51, 0x80, 0x00, 0x02, 0xF0, 0x00}));
  EXPECT_EQ(std::tuple(board().Valid, board().Ver2, board().Modules[0].Tag, board().Modules[2].Tag, board().Word16),
            std::tuple(1, 8, 7, 13, 0x12AB));  // high half of the module codes ignored
  EXPECT_EQ((std::vector<std::uint32_t>(board().Values.begin(), board().Values.begin() + 3)),
            (std::vector<std::uint32_t>{86400, 0x0F, 0x01}));
  // Six bytes: the optional fields keep their values; the page is redrawn again.
  lines.lines.clear();
  ASSERT_TRUE(Parse({0x01, 0x02, 0x00, 0x00, 0x10, 0x00}));
  EXPECT_EQ(std::tuple(board().Ver1, board().Modules[1].Tag, board().Word16, board().Values[2]),
            std::tuple(2, 0, 0x12AB, 1u));
  EXPECT_EQ(lines.messages(), Strings{"    GetInfSL 1"});
  EXPECT_EQ(view.calls, (Strings{"open 2 1", "open 2 1"}));
}

TEST_F(TerminationParserTest, FailuresApplyNothing) {
  const std::tuple<Bytes, int, const char*> cases[] = {
      {{}, 1, "  GetInfSL err0"},
      {{0x01, 1, 8, 7, 9}, 1, "  GetInfSL err2"},
      {Subchannels(24, 0x80), 1, "  GetInfSL err2"},  // no flags A
      {Subchannels(34, 0x7F), 2, "  GetInfSL err2"},  // digital needs flags B
      {Subchannels(25, 0x00), 3, "  GetInfSL err2"},
      {{0x07, 0x01}, 1, "  GetInfSL err2"},  // loop mode without frequency
  };
  for (const auto& [data, slot, error] : cases) {
    EXPECT_FALSE(Parse(data, slot)) << BytesToHex(data);
    EXPECT_EQ(lines.messages().back(), error) << BytesToHex(data);
  }
  for (int slot = 4; slot <= 10; ++slot) {
    EXPECT_FALSE(Parse({0x01, 1, 8, 7, 9, 13}, slot));
    EXPECT_EQ(lines.messages().back(), "  GetInfSL err1");
  }
  for (const auto& b : dev.boards) EXPECT_EQ(b.Valid, 0);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(TerminationParserTest, SubchannelStatesInDigitalMode) {
  // Codec 8000, voice 1 on module 1, the three working bits; voice 2 on module 2.
  auto answer = [](std::size_t n, std::vector<std::pair<std::size_t, std::uint8_t>> more) {
    more.insert(more.begin(), {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {7, 200}, {8, 150}, {23, 10}, {34, 0x02}});
    return Subchannels(n, 0x75, more);
  };
  const SubchannelState narrow{false, 20000, 15000, 1000, -1, 8000, 1, 2, 16000, 19001, 14001, 3001, -1999,
                               true,  true,  true};
  SubchannelState wide = narrow;
  wide.lineTx = 64000, wide.lineRx = 25600, wide.dataTxBudget = 63001, wide.dataRxBudget = 24601;
  wide.dataTx = 47001, wide.dataRx = 8601;
  // Bit 1 of flags A and bits 2..7 of flags B mean nothing; TM 500 bit/s.
  const SubchannelState sixFour{false, 20000, 15000, 1000, 500, 6400, 3, 1, 12800, 18500, 13500, 5700, 700,
                                false, false, false};
  const std::pair<Bytes, SubchannelState> cases[] = {
      {answer(35, {}), narrow},
      {answer(38, {{35, 0xFF}, {36, 0xFF}, {37, 0xFF}}), narrow},  // 16-bit rates incomplete
      {answer(39, {{35, 0x02}, {36, 0x80}, {37, 0x01}, {38, 0x00}}), wide},
      {answer(35, {{24, 0x0E}, {34, 0xFD}, {33, 5}}), sixFour},
  };
  for (const auto& [data, expected] : cases) {
    view.states.clear();
    ASSERT_TRUE(Parse(data, 2));
    ASSERT_EQ(view.states.size(), 1u);
    EXPECT_TRUE(view.states[0] == expected) << BytesToHex(data);
  }
  EXPECT_EQ(view.calls.front(), "state 2 2");
}

TEST_F(TerminationParserTest, AnalogModeNeedsOnlyTheFlagsAndShowsTheLevelInDebugMode) {
  const Bytes level = Subchannels(25, 0x80, {{1, 0x5A}, {2, 0x82}, {3, 0x01}, {4, 0x02}, {5, 0x03}});  // 23170
  ASSERT_TRUE(Parse(level));
  ASSERT_TRUE(Parse(Subchannels(34, 0xFF)));  // code 0 counts as 1
  trace.setDebug(false);
  ASSERT_TRUE(Parse(level));
  EXPECT_EQ(view.calls, (Strings{"analog 0x5A82010203 23170 0,00dBm", "analog 0x0000000000 1 -87,30dBm", "analog -"}));
}

TEST_F(TerminationParserTest, CountersTextWithThePoeLineFromFortyThreeBytes) {
  Bytes b = Subchannels(43, 0x00, {{6, 5},     {10, 250},  {15, 0x01}, {17, 0xFF}, {18, 0xFF}, {20, 0x0C},
                                   {25, 0x03}, {26, 0xFC}, {27, 0xFF}, {28, 0xFE}, {30, 0x07}, {31, 0x27},
                                   {32, 0x10}, {39, 0x3F}, {40, 0xFF}, {41, 0xBF}, {42, 0xFF}});
  board().Values[2] = 1;  // PoE supported
  const std::string poe = "\r  PoE: U=97В  I=1000мА  P=97,00Вт";
  std::string text = "ETH/IP\r  Tx/Rx: 256/65535 байт\r  скорость Tx/Rx: 10,2/655,3 кбит/с" + poe +
                     "\r\rRS-232\r  Tx/Rx: 12/0 байт\r  скорость Tx/Rx: 0,1/100,0 кбит/с\r\rОшибки: ОКС: 5  ПД: 250";
  ASSERT_TRUE(Parse(b));
  EXPECT_EQ(view.counters, text);
  b.pop_back();
  ASSERT_TRUE(Parse(b));
  EXPECT_EQ(view.counters, text.erase(text.find(poe), poe.size()));
}

TEST(TerminationPoe, LineByBitsAndMeasurement) {
  const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {
      {1, 0xFFFFFFFF, "PoE: U=97В  I=1000мА  P=97,00Вт"},  // bits 14, 30, 31 are no part of the codes
      {1, 0x00008000, "PoE: U=0В  I=0мА  P=0,00Вт"},
      {1, 0x0C35A000, "PoE: U=18В  I=500мА  P=9,00Вт"},    // 18.5 V rounds to even
      {1, 0x249FBFFF, "PoE: U=56В  I=1000мА  P=56,00Вт"},  // 55.5 V
      {1, 0x3FFF7FFF, "PoE: нагрузка отключена"},
      {3, 0x3FFFBFFF, "PoE: заблокировано"},
      {2, 0x3FFFBFFF, "PoE: не поддерживается"},
  };
  for (const auto& [bits, word, text] : cases) EXPECT_EQ(PoeText(bits, word), text) << std::hex << word;
}

TEST_F(TerminationParserTest, LoopFlashAndUnknownKinds) {
  EXPECT_TRUE(Parse({0x07, 0x02, 0x0F}));
  EXPECT_TRUE(Parse({0x10, 0xAA}, 3));  // no flash session open
  parser.setFlashHandler(&view);
  EXPECT_TRUE(Parse({0x10, 0xAA}, 3));
  EXPECT_TRUE(Parse({0x05}));
  EXPECT_EQ(lines.messages().back(), "   SL unknown ans cmd");
  EXPECT_EQ(view.calls, (Strings{"loop SLloop=2", "flash 10AA 2 3"}));
  EXPECT_EQ(board().Valid, 0);
}

// A termination board's flash answer reaches the flash session through the
// program: a 16-byte read of the configuration area completes.
TEST_F(LinkTest, ProgramHandsFlashAnswersToTheFlashSession) {
  FakeFlashWindow window;
  RecordingEvents discovery;
  Program program(clock, sink, discovery);
  const int d = program.link.registry.AllocDevice();
  program.link.registry.device(d).sendRoute = Route{1};
  // Board answers are taken only while a request of the operator's is under way.
  program.link.request = RequestState{.currentDevice = d, .selectedSlot = 1, .requestMode = kReadRequest};
  FlashSession& flash = program.flash;
  flash.Reset();
  flash.setBlockSize(16);
  flash.Want(0xE0000, 16);
  flash.setMode(FlashMode::Read);
  flash.setSendingOn(true);
  flash.Show(window);
  flash.Tick();  // the read request goes out; the session's tests check its bytes
  Bytes answer{0x80, 0x51, 0x10, 0x0E, 0x00, 0x00};
  for (int i = 0; i < 16; ++i) answer.push_back(static_cast<std::uint8_t>(0xA0 + i));
  answer.push_back(Crc8(ByteView(answer).subspan(3)));
  Bytes fromBoard2 = answer;
  fromBoard2[1] = 0x61;  // board address 6: slot 2 of the same device
  program.link.dispatcher.DispatchAnswer(Sealed(fromBoard2));
  flash.Tick();
  EXPECT_FALSE(flash.finished());
  EXPECT_EQ(flash.image()[0xE000F], 0x00);
  program.link.dispatcher.DispatchAnswer(Sealed(answer));
  flash.Tick();
  EXPECT_TRUE(flash.finished());
  EXPECT_EQ(flash.image()[0xE000F], 0xAF);
}

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
  EXPECT_EQ(std::tuple(v.inputOn, v.outputOn, v.contactsVisible), std::tuple(false, true, true));
  b.Modules[0].Tag = 13, b.Modules[1].Tag = 5;
  EXPECT_EQ(ComputeTerminationSettings(b).modules, "[1]   [2]   [3]\r4W01  неизв. FS    ");
}
