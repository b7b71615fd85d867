#include <gtest/gtest.h>

#include <set>
#include <string>

#include "transport/cp1251.h"

using namespace varnel;

namespace {

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

}  // namespace

TEST(Cp1251, CyrillicAndAsciiBothWays) {
  const std::string wire = "\xCF\xF0\xE8\xE2\xE5\xF2, \xDF 1!";  // "Привет, Я 1!"
  EXPECT_EQ(Cp1251ToUtf8(wire), "Привет, Я 1!");
  EXPECT_EQ(Utf8ToCp1251("Привет, Я 1!"), wire);
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xB9\x88"), "Ёё№€");
  EXPECT_EQ(Utf8ToCp1251("ЁёЇїЎў№€"), "\xA8\xB8\xAF\xBF\xA1\xA2\xB9\x88");
}

TEST(Cp1251, EveryAssignedByteSurvivesARoundTrip) {
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const std::string text = Cp1251ToUtf8(Byte(b));
    EXPECT_NE(text, "\xEF\xBF\xBD") << b;
    EXPECT_TRUE(seen.insert(text).second) << "two bytes decode alike: " << b;
    EXPECT_EQ(Utf8ToCp1251(text), Byte(b)) << b;
  }
}

TEST(Cp1251, UnassignedByteAndForeignCharacters) {
  EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xC2\x98"), "?");  // U+0098 has no byte either
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("x😀y"), "x?y");
}

TEST(Cp1251, InvalidUtf8CostsOneMarkPerBrokenPiece) {
  EXPECT_EQ(Utf8ToCp1251("\x80"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82" "A"), "?A");    // truncated, next char kept
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");        // overlong
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");   // surrogate
  EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(Utf8ToCp1251("\xD0\xAF\xFF\xD0\xAF"), "\xDF?\xDF");
}

TEST(Cp1251, Utf8LeftCountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Left("Привет", 3), "При");
  EXPECT_EQ(Utf8Left("Привет", 60), "Привет");
  EXPECT_EQ(Utf8Left("aЯ€😀b", 4), "aЯ€😀");
  EXPECT_EQ(Utf8Left("Привет", 0), "");
  EXPECT_EQ(Utf8Left("", 5), "");
}
