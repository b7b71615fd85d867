#pragma once
// The subchannel page of a termination board without a toolkit: where each
// bar of the bandwidth diagram lies, how wide it is, its colours and its
// value label. Colours are 0xBBGGRR.

#include <cstdint>
#include <string>

#include "boards/termination/subchannel_state.h"

namespace varnel {

// Left edge of the service bars in the design layout.
constexpr int kSubchannelBarOrigin = 12;

// 16 pixels per kbit/s, ties to even; 1 for a negative rate, else at least 32.
int RateBarWidth(std::int32_t rate);

struct SubchannelBar {
  int left = 0;
  int width = 0;
  std::uint32_t fill = 0;
  std::uint32_t outline = 0;  // black
  bool visible = true;
};

struct SubchannelLabel {
  std::string text;
  int left = 0;
  bool visible = true;  // together with its bar
};

// One row: transmit (under LabHFtx) or receive (under LabHFrx).
struct SubchannelRow {
  SubchannelBar service, telemechanics, voice1, voice2, data;  // shOKS.., shTM.., shVoice.., shVoice..2, shPD..
  SubchannelLabel serviceLabel, telemechanicsLabel, voice1Label, voice2Label, dataLabel;  // LabOks.., LabTM.., ...
};

struct SubchannelView {
  std::string lineTx, lineRx;  // LabHFtx, LabHFrx
  SubchannelRow tx, rx;
};

SubchannelView ComputeSubchannelView(const SubchannelState& s, int origin = kSubchannelBarOrigin);

}  // namespace varnel
