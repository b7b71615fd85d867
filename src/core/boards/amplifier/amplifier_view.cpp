#include "boards/amplifier/amplifier_view.h"

#include "wire/byte_utils.h"

namespace varnel {

AmplifierView ComputeAmplifierView(const TBRDS& board) {
  AmplifierView v;
  v.parametersVisible = board.Valid == 1;
  v.info = board.Texts[0] + "\r" + board.Texts[1] + "\r" + board.Texts[2] + "\r" + board.Texts[3];
  v.masksVisible = board.Ver1 >= kAmplifierMaskVersion;
  const std::uint32_t alarms = board.Values[0];
  const std::uint32_t masks = board.Values[3];
  // A set mask bit means the alarm is not masked: its box shows unticked.
  v.boxes.twoAmplifiers = Bit8(alarms, 6) != 0;
  v.boxes.maskA1 = Bit8(masks, 1) == 0;
  v.boxes.maskA3 = Bit8(masks, 3) == 0;
  v.boxes.maskA4 = Bit8(masks, 4) == 0;
  return v;
}

}  // namespace varnel
