#pragma once
// The settings page of a termination board, drawn from its record alone.
// Colours are 0xBBGGRR.

#include <cstdint>
#include <string>

#include "model/board_state.h"

namespace varnel {

struct TerminationSettingsView {
  bool pagesVisible = false;    // TABS_SL
  std::string version;          // LabVerSL
  std::string modules;          // LabModsSL, monospaced, two lines
  bool contactsVisible = false;  // SLPanelDats
  std::uint32_t inputColour = 0;   // shDat ("Вход")
  std::uint32_t outputColour = 0;  // shREL ("Выход")
  bool inputOn = false, outputOn = false;  // what the two colours show
};

// Firmware 1.8 was the first to report the alarm contacts.
bool TerminationHasContacts(std::uint8_t ver1, std::uint8_t ver2);

TerminationSettingsView ComputeTerminationSettings(const TBRDS& board);

}  // namespace varnel
