#pragma once
// The amplifier group ("ТР-40") drawn from the slot's record alone.

#include <string>

#include "boards/board_requests.h"
#include "model/board_state.h"

namespace varnel {

struct AmplifierView {
  bool parametersVisible = false;  // PanelAPpar
  std::string info;                // LabAPver: four lines
  bool masksVisible = false;       // PanlAPmask
  AmplifierSetting boxes;          // ChAP2, ChMaskAP1, ChMaskAP3, ChMaskAP4
};

// Firmware 7 was the first to take alarm masks.
constexpr int kAmplifierMaskVersion = 7;

AmplifierView ComputeAmplifierView(const TBRDS& board);

}  // namespace varnel
