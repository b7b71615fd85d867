#include <gtest/gtest.h>

#include <cmath>

#include "boards/editor_validity.h"
#include "boards/modem/modem_clock.h"
#include "boards/modem/modem_encoding.h"
#include "wire/time_utils.h"

using namespace varnel;

namespace {
using Byte = std::optional<std::uint8_t>;
}

TEST(ModemEncoding, RoundingTakesHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(0.3 / 0.2), 2.0);    // 1.4999999999999998 stands for 1.5
  EXPECT_EQ(TxLevelToByte(-0.2), Byte(0));     // n = 0.5
  EXPECT_EQ(TxLevelToByte(-0.6), Byte(4));     // n = 1.5 -> 2
  EXPECT_EQ(RateToByte(12.9, 10), Byte(128));  // 0.5 steps of 0.2 -> 0
  EXPECT_EQ(RateToByte(13.1, 10), Byte(130));  // 1.5 -> 2
}

TEST(ModemEncoding, RatesDependOnTheMcuVersion) {
  EXPECT_DOUBLE_EQ(RateFromByte(0x90, 8), 14.4);
  EXPECT_DOUBLE_EQ(RateFromByte(255, 9), 38.2);
  EXPECT_EQ(RateToByte(12.7, 10), Byte(127));
  EXPECT_EQ(RateToByte(38.3, 10), std::nullopt);
  EXPECT_EQ(RateToByte(25.6, 8), std::nullopt);
  EXPECT_EQ(RateToByte(-0.1, 8), std::nullopt);
  for (std::uint8_t v : {8, 9}) {
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<std::uint8_t>(b);
      EXPECT_EQ(RateToByte(RateFromByte(byte, v), v), Byte(byte));
    }
  }
  EXPECT_EQ(ApplyRateLimits(8, 20.0), (RateLimits{25.4, 0.1}));
  EXPECT_EQ(ApplyRateLimits(9, 12.7), (RateLimits{38.2, 0.1}));
  EXPECT_EQ(ApplyRateLimits(9, 12.75), (RateLimits{38.2, 0.2}));
}

// The hub's and the parser's tests encode and decode sound levels.
TEST(ModemEncoding, LevelsOutsideTheirFieldsAreRefused) {
  // Positive levels, and step counts that would reach a bit the board ignores.
  EXPECT_EQ(TxLevelToByte(0.4), std::nullopt);
  EXPECT_EQ(TxLevelToByte(-25.6), std::nullopt);
  EXPECT_EQ(RxLevelToByte(-25.6), std::nullopt);
  EXPECT_EQ(AgcToByte(-51.2), std::nullopt);
  EXPECT_EQ(AgcToByte(std::nan("")), std::nullopt);
}

TEST(ModemClock, CorrectionAndStamp) {
  EXPECT_EQ(CorrectionByte(0), Byte(0x00));
  EXPECT_EQ(CorrectionByte(5), Byte(0x85));
  EXPECT_EQ(CorrectionByte(-5), Byte(0x05));
  EXPECT_EQ(CorrectionByte(128), std::nullopt);
  EXPECT_EQ(CorrectionFromByte(0x85), 5);
  EXPECT_EQ(CorrectionFromByte(0x05), -5);
  // The correction in ppm, the ends of the step range, the debug tail.
  EXPECT_EQ(CorrectionLabelText(0, false), "Коррекция хода: 0,0ppm");
  EXPECT_EQ(CorrectionLabelText(72, false), "Коррекция хода: 95,2ppm");
  EXPECT_EQ(CorrectionLabelText(-39, false), "Коррекция хода: -15,0ppm");
  EXPECT_EQ(CorrectionLabelText(5, true), "Коррекция хода: 2,7ppm                  V=5 C=0x85");
  EXPECT_EQ(StepCorrection(72, true), 72);
  EXPECT_EQ(StepCorrection(-39, false), -39);
  EXPECT_EQ(StepCorrection(-38, false), -39);
  EXPECT_EQ(ClockLabelText(0x7FFFFFFF, "x"), "Время не прочитано");
  EXPECT_EQ(ClockLabelText(0, "01.01.2026 00:00:00"), "01.01.2026 00:00:00");

  EXPECT_EQ(LocalSeconds({1970, 1, 2, 0, 0, 1}), 86401);
  for (const LocalDateTime t : {LocalDateTime{2024, 2, 29, 23, 59, 59}, LocalDateTime{1969, 12, 31, 12, 0, 0}}) {
    EXPECT_EQ(DateTimeText(LocalFromSeconds(LocalSeconds(t))), DateTimeText(t));
  }
  EXPECT_EQ(DateTimeText(LocalFromSeconds(LocalSeconds({2100, 2, 28, 23, 59, 59}) + 1)), "01.03.2100 00:00:00");
}

// The transmitter level editor (-25.2..0 by 0.4) and a rate editor of a newer
// board above 12.7 kbit/s (0..38.2 by 0.2).
TEST(EditorValidity, RangeNumberGridAndPrecision) {
  using V = Validity;
  const std::tuple<std::optional<double>, double, double, double, V> cases[] = {
      {-2.4, -25.2, 0.0, 0.4, V::Normal},      {0.0, -25.2, 0.0, 0.4, V::Normal},
      {-2.6, -25.2, 0.0, 0.4, V::OffGrid},     {0.4, -25.2, 0.0, 0.4, V::OutOfRange},
      {-25.6, -25.2, 0.0, 0.4, V::OutOfRange}, {std::nullopt, -25.2, 0.0, 0.4, V::NotANumber},
      {12.9, 0.0, 38.2, 0.2, V::OffGrid},      {13.0, 0.0, 38.2, 0.2, V::Normal},
      {2.001, 0.0, 38.2, 0.1, V::TooPrecise},  {38.4, 0.0, 38.2, 0.2, V::OutOfRange},
  };
  for (const auto& [value, min, max, step, expected] : cases) {
    EXPECT_EQ(CheckEditorValue(value, min, max, step), expected) << value.value_or(-1) << " in " << min << ".." << max;
  }
}
