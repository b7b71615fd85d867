#include <gtest/gtest.h>

#include <string>

#include "transport/str_utils.h"

using namespace varnel;

namespace {

const std::string kBullet = "\xE2\x80\xA2";

}  // namespace

TEST(StrUtils, HexTextBothWays) {
  EXPECT_EQ(BytesToHex(Bytes{0x0F, 0x80, 0xAB}), "0F80AB");
  EXPECT_EQ(BytesToHex(Bytes{}), "");

  EXPECT_EQ(HexToBytes("0F80"), (Bytes{0x0F, 0x80}));
  EXPECT_EQ(HexToBytes("F80"), (Bytes{0x0F, 0x80}));
  EXPECT_EQ(HexToBytes("A"), (Bytes{0x0A}));
  EXPECT_EQ(HexToBytes(""), Bytes{});
  // Pairs with a bad character vanish; their neighbours survive.
  EXPECT_EQ(HexToBytes("0G80"), (Bytes{0x80}));
  EXPECT_EQ(HexToBytes("12 x34"), (Bytes{0x12, 0x34}));

  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(HexToBytes(BytesToHex(all)), all);
}

TEST(StrUtils, NameFieldsDropZerosAndErasedFields) {
  EXPECT_EQ(BytesToName(Bytes{'A', 'B', 0, 'C', 0, 0, 0, 0}, 8), "ABC");
  EXPECT_EQ(BytesToName(Bytes{'A', 'B', 'C', 'D', 'E'}, 3), "ABC");
  EXPECT_EQ(BytesToName(Bytes(8, 0xFF), 8), "");
  EXPECT_EQ(BytesToName(Bytes{'A', 'B'}, 8), "");
  // Only an entirely erased field is empty; a single 0xFF is a Windows-1251 letter.
  EXPECT_EQ(BytesToName(Bytes{0xFF, 'x'}, 2), "\xFFx");
}

TEST(StrUtils, FixedTextRoundsToSevenDigitsThenDecimals) {
  EXPECT_EQ(FixedText(2, 3.14159), "3,14");
  EXPECT_EQ(FixedText(3, -1.5), "-1,500");
  EXPECT_EQ(FixedText(0, 2.5), "3");
  EXPECT_EQ(FixedText(2, 0.0), "0,00");
  EXPECT_EQ(FixedText(2, 0.125), "0,13");
  EXPECT_EQ(FixedText(2, 99.995), "100,00");
  EXPECT_EQ(FixedText(4, 1234.56789), "1234,5680");
  EXPECT_EQ(FixedText(2, 9.9999999), "10,00");
  EXPECT_EQ(FixedText(9, 0.0000123456789), "0,000012346");
  EXPECT_EQ(FixedText(2, -0.001), "0,00");
  EXPECT_EQ(FixedText(-3, 7.4), "7");
  EXPECT_EQ(FixedText(2, 123456789.0), "123456800,00");
}

TEST(StrUtils, PowerTextKeepsTheMantissaAboveOne) {
  EXPECT_EQ(PowerText(2, 0.05), "5,00" + kBullet + "10^-2");
  EXPECT_EQ(PowerText(2, 0.1), "10,00" + kBullet + "10^-2");
  EXPECT_EQ(PowerText(2, 3.2e-7), "3,20" + kBullet + "10^-7");
  EXPECT_EQ(PowerText(2, 1e-12), "0,01" + kBullet + "10^-10");
  EXPECT_EQ(PowerText(0, 0.0), "0" + kBullet + "10^-10");
}

TEST(StrUtils, ParseDecimalAcceptsEitherSeparator) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"1,5", 1.5}, Case{"1.5", 1.5}, Case{"-0,25", -0.25},
                        Case{"+3", 3.0}, Case{" 42 ", 42.0}, Case{",5", 0.5},
                        Case{"7.", 7.0}, Case{"1,5e3", 1500.0}, Case{"0", 0.0}}) {
    double v = -999.0;
    EXPECT_TRUE(TryParseDecimal(c.text, v)) << c.text;
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
  }
}

TEST(StrUtils, ParseDecimalRejectsGarbageAndLeavesValueAlone) {
  for (const char* text : {"", "   ", ",", "1,2,3", "1.2.3", "1.2,3", "1,2.3", "12abc",
                           "1 000", "--1", "+-1", "inf", "nan", "0x10", "1e", "1e999"}) {
    double v = 7.0;
    EXPECT_FALSE(TryParseDecimal(text, v)) << text;
    EXPECT_EQ(v, 7.0) << text;
  }
}
