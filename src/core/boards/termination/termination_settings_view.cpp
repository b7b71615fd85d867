#include "boards/termination/termination_settings_view.h"

#include "model/device_registry.h"
#include "wire/byte_utils.h"
#include "wire/str_utils.h"
#include "wire/time_utils.h"

namespace varnel {

namespace {

constexpr std::uint32_t kContactOn = 0x00FFFF;   // #FFFF00
constexpr std::uint32_t kContactOff = 0xC0C0C0;  // #C0C0C0

std::uint32_t ContactColour(std::uint32_t bits, int n) { return Bit8(bits, n) ? kContactOn : kContactOff; }

}  // namespace

bool TerminationHasContacts(std::uint8_t ver1, std::uint8_t ver2) { return ver1 >= 2 || ver2 >= 8; }

TerminationSettingsView ComputeTerminationSettings(const TBRDS& board) {
  TerminationSettingsView v;
  v.pagesVisible = board.Valid == 1;
  v.version = "Плата СЛ   v." + std::to_string(board.Ver1) + "." + std::to_string(board.Ver2) + "    №" +
              HexText(board.Word16, 4) + "  Время работы: " + DurationText(board.Values[0]);
  v.modules = "[1]   [2]   [3]\r";
  for (const T_MODULES& m : board.Modules) v.modules += LineTypeText(m.Tag) + " ";
  v.contactsVisible = TerminationHasContacts(board.Ver1, board.Ver2);
  v.inputColour = ContactColour(board.Values[1], 0);
  v.outputColour = ContactColour(board.Values[1], 1);
  v.inputOn = Bit8(board.Values[1], 0);
  v.outputOn = Bit8(board.Values[1], 1);
  return v;
}

}  // namespace varnel
