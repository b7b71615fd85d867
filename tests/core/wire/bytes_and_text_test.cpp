#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>

#include "wire/byte_utils.h"
#include "wire/cp1251.h"
#include "wire/str_utils.h"
#include "wire/time_utils.h"

using namespace varnel;

TEST(ByteUtils, BitsOutsideTheirWidthReadAsZero) {
  EXPECT_EQ(Bit8(0x1FF, 8), 0);
  EXPECT_EQ(Bit16(0x18000, 15), 1);
  EXPECT_EQ(Bits32(0xDEADBEEFu, 4, 8), 0xEEu);
  EXPECT_EQ(Bits32(0xDEADBEEFu, 0, 32), 0xDEADBEEFu);
  EXPECT_EQ(Bits32(0xFFFFFFFFu, 32, 1), 0u);
}

TEST(ByteUtils, CrcCheckValuesAndSteps) {
  const Bytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc16(digits), 0x4B37);
  EXPECT_EQ(Crc8(digits), 0x0B);
  // Feeding the data in two pieces equals one pass.
  EXPECT_EQ(Crc16(Bytes(digits.begin() + 4, digits.end()), Crc16(Bytes(digits.begin(), digits.begin() + 4))), 0x4B37);
}

TEST(StrUtils, HexTextAndNameFields) {
  EXPECT_EQ(BytesToHex(Bytes{0x0F, 0x80, 0xAB}), "0F80AB");
  EXPECT_EQ(HexToBytes("F80"), (Bytes{0x0F, 0x80}));
  // Pairs with a bad character vanish; their neighbours survive.
  EXPECT_EQ(HexToBytes("0G80"), (Bytes{0x80}));
  EXPECT_EQ(HexToBytes("12 x34"), (Bytes{0x12, 0x34}));
  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(HexToBytes(BytesToHex(all)), all);
  // Name fields drop their zeros; an erased field (all 0xFF) or a short one is empty.
  EXPECT_EQ(BytesToName(Bytes{'A', 'B', 0, 'C', 0, 'D'}, 5), "ABC");
  EXPECT_EQ(BytesToName(Bytes(8, 0xFF), 8), "");
  EXPECT_EQ(BytesToName(Bytes{'A', 'B'}, 8), "");
  // Only an entirely erased field is empty; a single 0xFF is a Windows-1251 letter.
  EXPECT_EQ(BytesToName(Bytes{0xFF, 'x'}, 2), "\xFFx");
  // Control bytes would become structure in a file we write: blanks instead.
  const std::string hostile = "x\nIP=10.6.6.6\r\x01\x1F\x7F\x98";
  EXPECT_EQ(BytesToName(Bytes(hostile.begin(), hostile.end()), hostile.size()), "x IP=10.6.6.6    \x98");
}

TEST(StrUtils, FixedTextRoundsToSevenDigitsThenDecimals) {
  const std::tuple<int, double, const char*> cases[] = {
      {2, 3.14159, "3,14"},      {3, -1.5, "-1,500"},          {2, 0.125, "0,13"},
      {2, 99.995, "100,00"},     {2, 9.9999999, "10,00"},      {9, 0.0000123456789, "0,000012346"},
      {2, -0.001, "0,00"},       {-3, 7.4, "7"},               {2, 123456789.0, "123456800,00"},
  };
  for (const auto& [decimals, value, text] : cases) EXPECT_EQ(FixedText(decimals, value), text) << value;
  // The mantissa stays above 1; the exponent stops at 10.
  EXPECT_EQ(PowerText(2, 0.05), "5,00\xE2\x80\xA2" "10^-2");
  EXPECT_EQ(PowerText(2, 0.1), "10,00\xE2\x80\xA2" "10^-2");
  EXPECT_EQ(PowerText(2, 1e-12), "0,01\xE2\x80\xA2" "10^-10");
}

TEST(StrUtils, ParseDecimalTakesEitherSeparatorAndLeavesTheValueOnGarbage) {
  for (const auto& [text, value] : {std::pair{"1,5", 1.5}, {"1.5", 1.5}, {"-0,25", -0.25}, {"+3", 3.0}, {" 42 ", 42.0},
                                    {",5", 0.5}, {"7.", 7.0}, {"1,5e3", 1500.0}}) {
    double v = -999.0;
    EXPECT_TRUE(TryParseDecimal(text, v)) << text;
    EXPECT_DOUBLE_EQ(v, value) << text;
  }
  for (const char* text : {"", "   ", ",", "1,2,3", "1.2.3", "1.2,3", "1,2.3", "12abc", "1 000", "--1", "+-1", "inf",
                           "nan", "0x10", "1e", "1e999"}) {
    double v = 7.0;
    EXPECT_FALSE(TryParseDecimal(text, v)) << text;
    EXPECT_EQ(v, 7.0) << text;
  }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2, \xDF 1!\xA8\xB8\xB9\x88"), "Привет, Я 1!Ёё№€");
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string text = Cp1251ToUtf8(byte);
    EXPECT_NE(text, "\xEF\xBF\xBD") << b;
    EXPECT_TRUE(seen.insert(text).second) << "two bytes decode alike: " << b;
    EXPECT_EQ(Utf8ToCp1251(text), byte) << b;
  }
}

TEST(Cp1251, UnassignedForeignAndBrokenCharactersBecomeOneMarkEach) {
  // The unassigned byte is the C1 control U+0098, as in Qt's decoder.
  EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xC2\x98z");
  EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xC2\x99"), "?");  // U+0099 has no byte
  EXPECT_EQ(Utf8ToCp1251("x日😀y"), "x??y");
  // Invalid UTF-8: one mark per broken piece, the next character kept.
  EXPECT_EQ(Utf8ToCp1251("\x80"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");  // cut at the end
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82" "A"), "?A");
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(Utf8ToCp1251("\xD0\xAF\xFF\xD0\xAF"), "\xDF?\xDF");
}

TEST(Cp1251, Utf8LeftCountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Left("Привет", 60), "Привет");
  EXPECT_EQ(Utf8Left("aЯ€😀b", 4), "aЯ€😀");
  EXPECT_EQ(Utf8Left("Привет", 0), "");
}

TEST(TimeUtils, DeviceTimeLandsInTheCurrentOrPreviousCycle) {
  constexpr std::int64_t C = kDeviceTimeCycle;
  const std::int64_t cycleStart = 13 * C;  // some time in 2022
  const std::int64_t now = cycleStart + 5000000;
  EXPECT_EQ(ExpandDeviceTime(4000000, now), cycleStart + 4000000);
  // Less than a day ahead is clock skew, not last cycle.
  EXPECT_EQ(ExpandDeviceTime(5000000 + 86399, now), now + 86399);
  EXPECT_EQ(ExpandDeviceTime(5000000 + 86400, now), now + 86400 - C);
  // The board counter may run past the cycle length.
  EXPECT_EQ(ExpandDeviceTime(static_cast<std::uint32_t>(C + 4000000), now), cycleStart + 4000000);
  // Right after a cycle boundary, a stamp from the end of the last cycle.
  EXPECT_EQ(ExpandDeviceTime(static_cast<std::uint32_t>(C - 10), cycleStart + 5), cycleStart - 10);
}

TEST(TimeUtils, SystemClockAgreesWithTheCLibrary) {
  SystemClock clock;
  const std::time_t before = std::time(nullptr);
  const std::int64_t unix = clock.unixNow();
  const LocalDateTime local = clock.localNow();
  EXPECT_TRUE(before <= unix && unix - before <= 2);
  std::tm tm{};
  localtime_r(&before, &tm);
  EXPECT_EQ(std::pair(local.year, local.month), std::pair(tm.tm_year + 1900, tm.tm_mon + 1));
  const std::uint64_t a = clock.monotonicMs();
  EXPECT_LE(a, clock.monotonicMs());
}
