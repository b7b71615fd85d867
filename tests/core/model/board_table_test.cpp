#include <gtest/gtest.h>

#include "model/board_table.h"

using namespace varnel;

TEST(BoardTable, AddressLookupsAndLabels) {
  EXPECT_EQ(SlotOfAddress(0x0E), 10);
  for (std::uint8_t none : {0x00, 0x09, 0x0F}) EXPECT_EQ(SlotOfAddress(none), 0) << int(none);
  EXPECT_EQ(BoardShortLabel(0x0C), "ТР-40 (2) ");
  EXPECT_EQ(BoardShortLabel(0x09), "Неизв.");
}
