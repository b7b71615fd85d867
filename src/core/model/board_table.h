#pragma once
// The ten board positions of a block: their board address (the nibble that
// ends a board-level address) and the labels the views and trace use.

#include <array>
#include <cstdint>
#include <string_view>

namespace varnel {

constexpr int kBoardSlots = 10;
constexpr int kModemSlot = 4;

struct BoardTableRow {
  std::uint8_t address;
  std::string_view shortLabel;  // ten characters, blank-padded: button captions
  std::string_view fullName;
  bool selectable;
};

// Indexed by BoardSlot - 1.
const std::array<BoardTableRow, kBoardSlots>& BoardTable();
const BoardTableRow& BoardRow(int slot);  // slot 1..10

// 0 when no slot has this address.
int SlotOfAddress(std::uint8_t address);
// "Неизв." for an address no slot has.
std::string_view BoardShortLabel(std::uint8_t address);

}  // namespace varnel
