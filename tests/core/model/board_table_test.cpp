#include <gtest/gtest.h>

#include "model/board_table.h"

using namespace varnel;

// The table itself is constant; the other tests use its rows. Addresses
// without a board find no slot and no label.
TEST(BoardTable, AddressesWithoutABoard) {
  for (std::uint8_t none : {0x00, 0x09, 0x0F}) EXPECT_EQ(SlotOfAddress(none), 0) << int(none);
  EXPECT_EQ(BoardShortLabel(0x09), "Неизв.");
}
