#include "boards/modem/modem_clock.h"
#include "boards/modem/modem_parser.h"
#include "boards/modem/modem_state_answer.h"
#include "boards/modem/modem_view.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

struct RecordingSessions : ModemFirmwareHandler, ModemLogHandler {
  std::vector<Bytes> firmware;
  int logCalls = 0;
  bool logResult = true;
  void OnFirmwareAnswer(int, int, ByteView data) override { firmware.emplace_back(data.begin(), data.end()); }
  bool GetLogVK(int, TStructDev&, int, ByteView) override { return ++logCalls, logResult; }
};

class ModemParserTest : public ParserTest {
 protected:
  bool Parse(const Bytes& data) { return parser.GetInfVK(2, dev, data, kModemSlot); }
  TBRDS& modem() { return dev.board(kModemSlot); }
  T_MODULES& module(int c) { return modem().Modules[static_cast<std::size_t>(c - 1)]; }
  // Texts of elements from..to of channel c's module.
  Strings Texts(int c, int from, int to) { return {module(c).Texts.begin() + from - 1, module(c).Texts.begin() + to}; }

  ModemParser parser{trace, clock, pages};
};

}  // namespace

TEST_F(ModemParserTest, CommonConfiguration) {
  ASSERT_TRUE(Parse({0x10, 0x0C, 0x32, 0x0A, 0x01}));
  const ModemCommonConfig& c = dev.modemCommon;
  EXPECT_EQ(std::tuple(c.TxLevelDb, c.RxLevelDb, c.AgcDb), std::tuple(-2.4, -10.0, -2.0));
  EXPECT_EQ(std::tuple(c.Aggr, c.AggrValid, c.CommonValid), std::tuple(1, 1, 1));
  EXPECT_EQ(pages.calls, Strings{"open 2 4"});
  // Bits 0 and 7 of D1 and bit 7 of D2 are no part of the levels; no D4.
  ASSERT_TRUE(Parse({0x10, 0x8D, 0xB2, 0x0A}));
  EXPECT_EQ(std::tuple(c.TxLevelDb, c.RxLevelDb, c.AggrValid), std::tuple(-2.4, -10.0, 0));
}

TEST_F(ModemParserTest, ChannelConfiguration) {
  modem().Ver1 = 8;
  ASSERT_TRUE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  const ModemChannelConfig& c = dev.modemChannel(1);
  EXPECT_EQ(std::tuple(c.TxFreqKHz, c.TxEnabled, c.RxFreqKHz, c.Mode, c.ModeName, c.EocMonitor, c.NoiseMargin),
            std::tuple(100, 1, 110, 2, "ведущий", 1, 26));
  EXPECT_DOUBLE_EQ(c.RxRateMin, 2.0);
  EXPECT_EQ(c.CfgValid, 1);
  EXPECT_EQ(Texts(1, 4, 5), (Strings{"98-102 кГц", "108-112 кГц"}));
  // Channel 3 with every ignored bit set: the frequencies keep ten bits.
  ASSERT_TRUE(Parse({0x13, 0xFF, 0x7F, 0xFF, 0xFF, 0x3F, 0x00}));
  const ModemChannelConfig& c3 = dev.modemChannel(3);
  EXPECT_EQ(std::tuple(c3.TxFreqKHz, c3.RxFreqKHz, c3.TxEnabled, c3.NoiseMargin), std::tuple(1023, 1023, 0, 0));
}

TEST_F(ModemParserTest, MaximumRateFromVersion11) {
  modem().Ver1 = 11;
  dev.modemChannel(1).RxRateMax = 5.0;
  EXPECT_FALSE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  EXPECT_TRUE(lines.Has("  GetInfVK err6"));
  // D1..D6 are stored before D7 is found missing; the channel stays not valid.
  const ModemChannelConfig& c = dev.modemChannel(1);
  EXPECT_EQ(std::tuple(c.TxFreqKHz, c.RxRateMin, c.RxRateMax, c.CfgValid), std::tuple(100, 2.0, 5.0, 0));
  EXPECT_EQ(Texts(1, 4, 5), (Strings{"", ""}));
  EXPECT_TRUE(pages.calls.empty());

  ASSERT_TRUE(Parse({0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x90, 0x90}));
  EXPECT_DOUBLE_EQ(c.RxRateMax, 16.0);
  EXPECT_EQ(c.CfgValid, 1);
}

TEST_F(ModemParserTest, ShortChannelStates) {
  ASSERT_TRUE(Parse({0x15, 0x60, 0x00}));
  EXPECT_EQ(module(1).Values[2], std::uint32_t{kKindAnalog});
  EXPECT_EQ(Texts(1, 2, 3), (Strings{">0,0 дБ", "аналоговый"}));
  EXPECT_EQ(Texts(1, 6, 12), (Strings{"---", "---", "---", "---", "---", "---", "нет"}));
  // Transit with data from the KO and the loopback bit; the lowest level.
  // Up to eight bytes are still the short form.
  ASSERT_TRUE(Parse({0x16, 0x0B, 0xFF, 1, 2, 3, 4, 5}));
  EXPECT_EQ(module(2).Values[2], std::uint32_t{kKindTransit});
  EXPECT_EQ(module(2).Values[5], 2u);
  EXPECT_EQ(Texts(2, 2, 3), (Strings{"<-51,0 дБ", "транзит"}));
  EXPECT_EQ(module(2).Texts[5], "есть");
  EXPECT_EQ(module(2).Texts[11], "есть");

  const std::pair<std::uint8_t, std::uint32_t> states[] = {{0x60, 1}, {0xE0, 1}, {0x40, 2}, {0xC0, 2},
                                                           {0x80, 3}, {0xA0, 3}, {0x00, 4}, {0x20, 4}};
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
}

TEST_F(ModemParserTest, VersionsOpenTheBoard) {
  ASSERT_TRUE(Parse({0x01, 0x0C, 0x03}));
  EXPECT_EQ(std::tuple(modem().Ver1, modem().Ver2, modem().Valid), std::tuple(12, 3, 1));
  EXPECT_EQ(pages.calls, (Strings{"limits", "open 2 4"}));
  EXPECT_EQ(VersionLabelText(12, 3), "Версия программы MCU:12  FPGA:3");
  EXPECT_EQ(VersionLabelText(0, 0), "Считайте версию.");
}

TEST_F(ModemParserTest, Clock) {
  const auto t = ClockStamp(LocalSeconds({2024, 3, 6, 8, 0, 0}));
  const std::pair<Bytes, const char*> cases[] = {
      // The current cycle began on 01.01.2022.
      {{0x08, 0x85, 0x00, 0x00, 0x00, 0x80}, "01.01.2022 00:00:00, батарейка разряжена"},
      {{0x08, 0x05, std::uint8_t(t), std::uint8_t(t >> 8), std::uint8_t(t >> 16), std::uint8_t(t >> 24)},
       "06.03.2024 08:00:00"},
      {{0x08, 0x05, 0x00, 0x00, 0xE0, 0x07}, "Время не установлено"},
      {{0x08, 0x05, 0x00, 0x00, 0xC0, 0x07}, "Ошибка чтения"},
      // Too short for a time stamp: only the correction byte changes.
      {{0x08, 0x07, 0x00, 0x00, 0x00}, "Ошибка чтения"},
  };
  for (const auto& [data, text] : cases) {
    ASSERT_TRUE(Parse(data));
    EXPECT_EQ(std::pair(modem().Values[1], modem().Texts[0]), std::pair(std::uint32_t{data[1]}, std::string(text)));
  }
  ASSERT_TRUE(Parse({0x08, 0x85, 0x00, 0x00, 0x00, 0x80}));
  EXPECT_EQ(modem().Values[0], static_cast<std::uint32_t>(LocalSeconds({2022, 1, 1, 0, 0, 0})));
}

TEST_F(ModemParserTest, MemoryDump) {
  Bytes answer{0x00, 0x0F, 0x00};
  for (std::uint8_t b = 1; b <= 17; ++b) answer.push_back(b);
  ASSERT_TRUE(Parse(answer));
  const std::string sep(41, '_');
  EXPECT_EQ(pages.memo, (Strings{sep, "", "000F: 01-02-03-04 05-06-07-08 09-0A-0B-0C 0D-0E-0F-10", "001F: 11", sep}));

  pages.memo.clear();
  EXPECT_FALSE(Parse({0x00, 0x0F, 0x00}));
  EXPECT_TRUE(lines.Has("CVK dump ADDR=0x000F 0 bytes"));
  EXPECT_TRUE(lines.Has("  GetInfVK err2"));
  EXPECT_TRUE(pages.memo.empty());
}

TEST_F(ModemParserTest, TooShortAnswersChangeNothing) {
  const std::pair<Bytes, int> cases[] = {{{}, 0},           {{0x00, 0x0F}, 1},       {{0x02, 0x00}, 3},
                                         {{0x15, 0x60}, 6}, {{0x10, 0x0C, 0x32}, 4}, {{0x01, 0x0C}, 7},
                                         {{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5}, 5}};
  RecordingSessions sessions;
  parser.setFirmwareHandler(&sessions);
  for (const auto& [data, stage] : cases) {
    EXPECT_FALSE(Parse(data));
    EXPECT_EQ(lines.messages().back(), "  GetInfVK err" + std::to_string(stage));
  }
  EXPECT_TRUE(pages.calls.empty());
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
  EXPECT_EQ(pages.calls, (Strings{"open 2 4", "open 2 4"}));

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
  EXPECT_EQ(pages.calls.size(), 4u);
}

TEST(ModemView, CodesPastTheLastStateOrKoEntryReadAsNotRead) {
  const std::tuple<std::string_view, std::uint32_t, const char*, std::uint32_t> cases[] = {
      {ReceiverStateText(4), ReceiverStateColour(4), "нет сигнала", 0x0000FF},
      {ReceiverStateText(5), ReceiverStateColour(5), "не прочитано", 0x808080},
      {KoDataText(2), KoDataColour(2), "есть", 0x00FF00},
      {KoDataText(3), KoDataColour(3), "не прочитано", 0x808080}};
  for (const auto& [text, colour, expectedText, expectedColour] : cases) {
    EXPECT_EQ(text, expectedText);
    EXPECT_EQ(colour, expectedColour) << expectedText;
  }
  EXPECT_EQ(ModemRowCaption(13), "");
}
