#include <gtest/gtest.h>

#include "boards/editor_validity.h"

using namespace varnel;

// The colouring rules on the transmitter level editor (-25.2..0 by 0.4) and
// on a rate editor of a newer board above 12.7 kbit/s (0..38.2 by 0.2).
TEST(EditorValidity, RangeNumberGridAndPrecision) {
  EXPECT_EQ(CheckEditorValue(-2.4, -25.2, 0.0, 0.4), Validity::Normal);
  EXPECT_EQ(CheckEditorValue(-2.6, -25.2, 0.0, 0.4), Validity::OffGrid);
  EXPECT_EQ(CheckEditorValue(0.4, -25.2, 0.0, 0.4), Validity::OutOfRange);
  EXPECT_EQ(CheckEditorValue(-25.6, -25.2, 0.0, 0.4), Validity::OutOfRange);
  EXPECT_EQ(CheckEditorValue(std::nullopt, -25.2, 0.0, 0.4), Validity::NotANumber);

  EXPECT_EQ(CheckEditorValue(12.75, 0.0, 38.2, 0.2), Validity::OffGrid);
  EXPECT_EQ(CheckEditorValue(12.9, 0.0, 38.2, 0.2), Validity::OffGrid);
  EXPECT_EQ(CheckEditorValue(12.8, 0.0, 38.2, 0.2), Validity::Normal);
  EXPECT_EQ(CheckEditorValue(13.0, 0.0, 38.2, 0.2), Validity::Normal);
  EXPECT_EQ(CheckEditorValue(2.001, 0.0, 38.2, 0.1), Validity::TooPrecise);
  EXPECT_EQ(CheckEditorValue(38.4, 0.0, 38.2, 0.2), Validity::OutOfRange);
}
