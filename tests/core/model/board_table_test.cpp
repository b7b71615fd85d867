#include <gtest/gtest.h>

#include <tuple>

#include "model/board_table.h"

using namespace varnel;

TEST(BoardTable, AddressLookupsAndLabels) {
  // Slot, address and the ten-character label of every board of a block.
  const std::tuple<int, std::uint8_t, const char*> rows[] = {
      {1, 0x05, "СЛ30 (к.1)"}, {2, 0x06, "СЛ30 (к.2)"}, {3, 0x07, "СЛ30 (к.3)"}, {4, 0x04, "ВК20      "},
      {5, 0x08, "ФПРМ      "}, {6, 0x0A, "ТР-40 (1) "}, {7, 0x0B, "ФПРД  (1) "}, {8, 0x0C, "ТР-40 (2) "},
      {9, 0x0D, "ФПРД  (2) "}, {10, 0x0E, "ПЖ05      "}};
  for (const auto& [slot, address, label] : rows) {
    EXPECT_EQ(SlotOfAddress(address), slot) << slot;
    EXPECT_EQ(BoardRow(slot).address, address) << slot;
    EXPECT_EQ(BoardShortLabel(address), label) << slot;
  }
  for (std::uint8_t none : {0x00, 0x09, 0x0F}) EXPECT_EQ(SlotOfAddress(none), 0) << int(none);
  EXPECT_EQ(BoardShortLabel(0x09), "Неизв.");
}
