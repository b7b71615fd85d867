#include "app/program.h"
#include "boards/modem/modem_clock.h"
#include "boards/modem/modem_parser.h"
#include "boards/modem/modem_state_answer.h"
#include "boards/modem/modem_view.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

using Strings = std::vector<std::string>;

struct RecordingBoardEvents : BoardPageEvents {
  Strings calls, memo;
  void OpenBoardPage(int d, int s) override { calls.push_back("open " + std::to_string(d) + " " + std::to_string(s)); }
  void ApplyRateLimits() override { calls.push_back("limits"); }
  void AppendMemoLine(std::string_view line) override { memo.emplace_back(line); }
};

struct RecordingSessions : ModemFirmwareHandler, ModemLogHandler {
  std::vector<Bytes> firmware;
  int logCalls = 0;
  bool logResult = true;
  void OnFirmwareAnswer(int, int, ByteView data) override { firmware.emplace_back(data.begin(), data.end()); }
  bool GetLogVK(int, TStructDev&, int, ByteView) override { return ++logCalls, logResult; }
};

class ModemParserTest : public ::testing::Test {
 protected:
  ModemParserTest() {
    trace.setSink(&lines);
    trace.setDebug(true);
  }
  bool Parse(const Bytes& data) { return parser.GetInfVK(2, dev, data, kModemSlot); }
  TBRDS& modem() { return dev.board(kModemSlot); }
  T_MODULES& module(int c) { return modem().Modules[static_cast<std::size_t>(c - 1)]; }
  // Texts of elements from..to of channel c's module.
  Strings Texts(int c, int from, int to) { return {module(c).Texts.begin() + from - 1, module(c).Texts.begin() + to}; }

  ManualClock clock = ClockAt(10, 20, 30);  // 07.03.2024
  TraceLog trace{clock};
  RecordingTrace lines;
  RecordingBoardEvents events;
  ModemParser parser{trace, clock, events};
  TStructDev dev;
};

}  // namespace

TEST_F(ModemParserTest, CommonConfiguration) {
  ASSERT_TRUE(Parse({0x10, 0x0C, 0x32, 0x0A, 0x01}));
  const ModemCommonConfig& c = dev.modemCommon;
  EXPECT_DOUBLE_EQ(c.TxLevelDb, -2.4);
  EXPECT_DOUBLE_EQ(c.RxLevelDb, -10.0);
  EXPECT_DOUBLE_EQ(c.AgcDb, -2.0);
  EXPECT_EQ(c.Aggr, 1);
  EXPECT_EQ(c.AggrValid, 1);
  EXPECT_EQ(c.CommonValid, 1);
  EXPECT_EQ(events.calls, Strings{"open 2 4"});
  // Bits 0 and 7 of D1 and bit 7 of D2 are no part of the levels; no D4.
  ASSERT_TRUE(Parse({0x10, 0x8D, 0xB2, 0x0A}));
  EXPECT_DOUBLE_EQ(c.TxLevelDb, -2.4);
  EXPECT_DOUBLE_EQ(c.RxLevelDb, -10.0);
  EXPECT_EQ(c.AggrValid, 0);
}

TEST_F(ModemParserTest, ChannelConfiguration) {
  modem().Ver1 = 8;
  ASSERT_TRUE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  const ModemChannelConfig& c = dev.modemChannel(1);
  EXPECT_EQ(c.TxFreqKHz, 100);
  EXPECT_EQ(c.TxEnabled, 1);
  EXPECT_EQ(c.RxFreqKHz, 110);
  EXPECT_EQ(c.Mode, 2);
  EXPECT_EQ(c.ModeName, "ведущий");
  EXPECT_EQ(c.EocMonitor, 1);
  EXPECT_EQ(c.NoiseMargin, 26);
  EXPECT_DOUBLE_EQ(c.RxRateMin, 2.0);
  EXPECT_EQ(c.CfgValid, 1);
  EXPECT_EQ(Texts(1, 4, 5), (Strings{"98-102 кГц", "108-112 кГц"}));
  // Channel 3 with every ignored bit set: the frequencies keep ten bits.
  ASSERT_TRUE(Parse({0x13, 0xFF, 0x7F, 0xFF, 0xFF, 0x3F, 0x00}));
  const ModemChannelConfig& c3 = dev.modemChannel(3);
  EXPECT_EQ(c3.TxFreqKHz, 1023);
  EXPECT_EQ(c3.RxFreqKHz, 1023);
  EXPECT_EQ(c3.TxEnabled, 0);
  EXPECT_EQ(c3.NoiseMargin, 0);
}

TEST_F(ModemParserTest, MaximumRateFromVersion11) {
  modem().Ver1 = 11;
  dev.modemChannel(1).RxRateMax = 5.0;
  EXPECT_FALSE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  EXPECT_TRUE(lines.Has("  GetInfVK err6"));
  // D1..D6 are stored before D7 is found missing; the channel stays not valid.
  const ModemChannelConfig& c = dev.modemChannel(1);
  EXPECT_EQ(c.TxFreqKHz, 100);
  EXPECT_DOUBLE_EQ(c.RxRateMin, 2.0);
  EXPECT_DOUBLE_EQ(c.RxRateMax, 5.0);
  EXPECT_EQ(c.CfgValid, 0);
  EXPECT_EQ(Texts(1, 4, 5), (Strings{"", ""}));
  EXPECT_TRUE(events.calls.empty());

  ASSERT_TRUE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x90, 0x90}));
  EXPECT_DOUBLE_EQ(c.RxRateMax, 16.0);
  EXPECT_EQ(c.CfgValid, 1);
}

TEST_F(ModemParserTest, ShortChannelStates) {
  ASSERT_TRUE(Parse({0x15, 0x60, 0x00}));
  EXPECT_EQ(module(1).Values[0], 1u);
  EXPECT_EQ(module(1).Values[2], std::uint32_t{kKindAnalog});
  EXPECT_EQ(Texts(1, 2, 3), (Strings{">0,0 дБ", "аналоговый"}));
  EXPECT_EQ(Texts(1, 6, 12), (Strings{"---", "---", "---", "---", "---", "---", "нет"}));
  // Transit with data from the KO and the loopback bit; the lowest level.
  ASSERT_TRUE(Parse({0x16, 0x0B, 0xFF}));
  EXPECT_EQ(module(2).Values[2], std::uint32_t{kKindTransit});
  EXPECT_EQ(module(2).Values[5], 2u);
  EXPECT_EQ(Texts(2, 2, 3), (Strings{"<-51,0 дБ", "транзит"}));
  EXPECT_EQ(module(2).Texts[5], "есть");
  EXPECT_EQ(module(2).Texts[11], "есть");

  const std::vector<std::pair<std::uint8_t, std::uint32_t>> states{
      {0x60, 1}, {0xE0, 1}, {0x40, 2}, {0xC0, 2}, {0x80, 3}, {0xA0, 3}, {0x00, 4}, {0x20, 4}};
  for (const auto& [d1, state] : states) {
    ASSERT_TRUE(Parse({0x17, d1, 0x32}));
    EXPECT_EQ(module(3).Values[0], state) << int(d1);
  }
}

TEST_F(ModemParserTest, DigitalChannelState) {
  modem().Ver1 = 10;
  dev.modemChannel(3).ModeName = "ведомый";
  ASSERT_TRUE(Parse({0x17, 0xE0, 0x05, 0x90, 0x14, 0x29, 0xFF, 0xFF, 0x8A}));
  EXPECT_EQ(module(3).Values[2], std::uint32_t{kKindDigital});
  EXPECT_EQ(module(3).Values[9], 65535u);
  EXPECT_EQ(Texts(3, 2, 3), (Strings{"-1,0 дБ", "цифр.ведомый"}));
  EXPECT_EQ(Texts(3, 6, 11), (Strings{"---", "16,0 кбит/с", "2,0 кбит/с", "5,1 дБ", ">65534", "<1,0•10e-1"}));
  ASSERT_TRUE(Parse({0x17, 0xE0, 0x05, 0x90, 0x14, 0x29, 0xFE, 0xFF, 0x23}));
  EXPECT_EQ(Texts(3, 10, 11), (Strings{"65534", "3,2•10e-4"}));
  EXPECT_EQ(ErrorRatioText(30), "1,0•10e-3");
  EXPECT_EQ(ErrorRatioText(0x81), "<7,9•10e-1");
}

TEST_F(ModemParserTest, VersionsOpenTheBoard) {
  ASSERT_TRUE(Parse({0x01, 0x0C, 0x03}));
  EXPECT_EQ(modem().Ver1, 12);
  EXPECT_EQ(modem().Ver2, 3);
  EXPECT_EQ(modem().Valid, 1);
  EXPECT_EQ(events.calls, (Strings{"limits", "open 2 4"}));
  EXPECT_EQ(VersionLabelText(12, 3), "Версия программы MCU:12  FPGA:3");
  EXPECT_EQ(VersionLabelText(0, 0), "Считайте версию.");
}

TEST_F(ModemParserTest, Clock) {
  // The current cycle began on 01.01.2022.
  ASSERT_TRUE(Parse({0x08, 0x85, 0x00, 0x00, 0x00, 0x80}));
  EXPECT_EQ(modem().Values[1], 0x85u);
  EXPECT_EQ(modem().Texts[0], "01.01.2022 00:00:00, батарейка разряжена");
  EXPECT_EQ(modem().Values[0], static_cast<std::uint32_t>(LocalSeconds({2022, 1, 1, 0, 0, 0})));
  EXPECT_TRUE(lines.Has("  Get time VK C1=0x80000000"));

  const auto t = ClockStamp(LocalSeconds({2024, 3, 6, 8, 0, 0}));
  ASSERT_TRUE(Parse(Bytes{0x08, 0x05, std::uint8_t(t), std::uint8_t(t >> 8), std::uint8_t(t >> 16),
                          std::uint8_t(t >> 24)}));
  EXPECT_EQ(modem().Texts[0], "06.03.2024 08:00:00");
  ASSERT_TRUE(Parse({0x08, 0x05, 0x00, 0x00, 0xE0, 0x07}));
  EXPECT_EQ(modem().Texts[0], "Время не установлено");
  ASSERT_TRUE(Parse({0x08, 0x05, 0x00, 0x00, 0xC0, 0x07}));
  EXPECT_EQ(modem().Texts[0], "Ошибка чтения");
  // Too short for a time stamp: only the correction byte changes.
  ASSERT_TRUE(Parse({0x08, 0x07, 0x00}));
  EXPECT_EQ(modem().Values[1], 0x07u);
  EXPECT_EQ(modem().Texts[0], "Ошибка чтения");
}

TEST_F(ModemParserTest, MemoryDump) {
  Bytes answer{0x00, 0x0F, 0x00};
  for (std::uint8_t b = 1; b <= 17; ++b) answer.push_back(b);
  ASSERT_TRUE(Parse(answer));
  EXPECT_TRUE(lines.Has("CVK dump ADDR=0x000F 17 bytes"));
  const std::string sep(41, '_');
  EXPECT_EQ(events.memo, (Strings{sep, "", "000F: 01-02-03-04 05-06-07-08 09-0A-0B-0C 0D-0E-0F-10", "001F: 11", sep}));

  events.memo.clear();
  EXPECT_FALSE(Parse({0x00, 0x0F, 0x00}));
  EXPECT_TRUE(lines.Has("CVK dump ADDR=0x000F 0 bytes"));
  EXPECT_TRUE(lines.Has("  GetInfVK err2"));
  EXPECT_TRUE(events.memo.empty());
}

TEST_F(ModemParserTest, TooShortAnswersChangeNothing) {
  const std::vector<std::pair<Bytes, int>> cases{
      {{}, 0}, {{0x00, 0x0F}, 1}, {{0x02, 0x00}, 3}, {{0x10, 0x0C, 0x32}, 4},
      {{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5}, 5}, {{0x15, 0x60}, 6}, {{0x01, 0x0C}, 7},
  };
  RecordingSessions sessions;
  parser.setFirmwareHandler(&sessions);
  for (const auto& [data, stage] : cases) {
    EXPECT_FALSE(Parse(data));
    EXPECT_EQ(lines.messages().back(), "  GetInfVK err" + std::to_string(stage));
  }
  EXPECT_TRUE(events.calls.empty());
  EXPECT_TRUE(sessions.firmware.empty());
  EXPECT_EQ(modem().Valid, 0);
  EXPECT_EQ(dev.modemCommon.CommonValid, 0);
  EXPECT_EQ(dev.modemChannel(1).TxFreqKHz, 0);
  EXPECT_EQ(module(1).Values[0], 0u);
}

TEST_F(ModemParserTest, OtherAnswersAreAcceptedOrHandedOn) {
  module(1).Values[2] = kKindAnalog;
  ASSERT_TRUE(Parse({0x14, 0x01}));  // reset acknowledgement
  EXPECT_EQ(module(1).Texts[2], "аналоговый");
  ASSERT_TRUE(Parse({0x09, 0x00, 0x00, 0x00}));  // no log reader yet
  EXPECT_EQ(events.calls, (Strings{"open 2 4", "open 2 4"}));

  RecordingSessions sessions;
  parser.setFirmwareHandler(&sessions);
  parser.setLogHandler(&sessions);
  ASSERT_TRUE(Parse({0x03, 0x01, 0x02}));
  EXPECT_EQ(sessions.firmware, std::vector<Bytes>{Bytes({0x03, 0x01, 0x02})});
  EXPECT_TRUE(Parse({0x09, 0x00, 0xE0, 0x01}));
  sessions.logResult = false;
  EXPECT_FALSE(Parse({0x09, 0x00, 0xE0, 0x01}));
  EXPECT_EQ(sessions.logCalls, 2);
  EXPECT_EQ(lines.messages().back(), "  GetInfVK err0");
  EXPECT_EQ(events.calls.size(), 4u);
}

TEST_F(ModemParserTest, InitDeviceForgetsTheConfiguration) {
  ASSERT_TRUE(Parse({0x10, 0x0C, 0x32, 0x0A, 0x01}));
  ASSERT_TRUE(Parse({0x12, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  InitDevice(dev);
  EXPECT_EQ(dev.modemCommon.CommonValid, 0);
  EXPECT_EQ(dev.modemCommon.Aggr, 0);
  EXPECT_EQ(dev.modemChannel(2).CfgValid, 0);
  EXPECT_EQ(dev.modemChannel(2).ModeName, "");
}

TEST(ModemView, CodesOutOfRangeReadAsNotRead) {
  EXPECT_EQ(ReceiverStateText(3), "перегрузка");
  EXPECT_EQ(ReceiverStateColour(3), 0x0000FFu);
  EXPECT_EQ(ReceiverStateText(5), "не прочитано");
  EXPECT_EQ(ReceiverStateColour(5), 0x808080u);
  EXPECT_EQ(KoDataText(2), "есть");
  EXPECT_EQ(KoDataColour(2), 0x00FF00u);
  EXPECT_EQ(KoDataText(3), "не прочитано");
  EXPECT_EQ(ModemRowCaption(6), "Приём данных от КО(транз.)");
  EXPECT_EQ(ModemRowCaption(13), "");
}

// The program routes answers of board address 0x04 to the modem parser.
TEST_F(LinkTest, ProgramRoutesModemAnswers) {
  RecordingEvents discovery;
  RecordingBoardEvents boardEvents;
  Program program(clock, sink, discovery, boardEvents);
  const int d = program.link.registry.AllocDevice();
  program.link.registry.device(d).sendRoute = Route{1};
  program.link.request = RequestState{.currentDevice = d, .selectedSlot = kModemSlot, .expectedCode = 0x01,
                                      .requestMode = kReadRequest};
  Bytes frame{0x80, 0x41, 0x01, 0x0C, 0x03};
  frame.push_back(FrameChecksum(frame));
  program.link.dispatcher.DispatchAnswer(frame);
  EXPECT_EQ(program.link.registry.device(d).board(kModemSlot).Ver1, 12);
  EXPECT_EQ(boardEvents.calls, (Strings{"limits", "open 1 4"}));
  EXPECT_EQ(program.link.status.colour(), kColourGreen);
}
