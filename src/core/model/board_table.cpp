#include "model/board_table.h"

namespace varnel {

const std::array<BoardTableRow, kBoardSlots>& BoardTable() {
  static const std::array<BoardTableRow, kBoardSlots> table{{
      {0x05, "СЛ30 (к.1)", "Плата окончания 1", true},
      {0x06, "СЛ30 (к.2)", "Плата окончания 2", true},
      {0x07, "СЛ30 (к.3)", "Плата окончания 3", true},
      {0x04, "ВК20      ", "Плата модема", true},
      {0x08, "ФПРМ      ", "Плата фильтра ПРМ", false},
      {0x0A, "ТР-40 (1) ", "Плата 1го усилителя ПРД", true},
      {0x0B, "ФПРД  (1) ", "Плата 1го фильтра ПРД", false},
      {0x0C, "ТР-40 (2) ", "Плата 2го усилителя ПРД", true},
      {0x0D, "ФПРД  (2) ", "Плата 2го фильтра ПРД", false},
      {0x0E, "ПЖ05      ", "Плата Питания", true},
  }};
  return table;
}

const BoardTableRow& BoardRow(int slot) { return BoardTable().at(static_cast<std::size_t>(slot - 1)); }

int SlotOfAddress(std::uint8_t address) {
  const auto& table = BoardTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].address == address) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string_view BoardShortLabel(std::uint8_t address) {
  const int slot = SlotOfAddress(address);
  return slot == 0 ? std::string_view("Неизв.") : BoardRow(slot).shortLabel;
}

}  // namespace varnel
