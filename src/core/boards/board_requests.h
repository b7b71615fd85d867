#pragma once
// What a request builder composes for one click: the requests in send order,
// the command code to await, and what the composition does to the records.
// Builders are pure; the request hub applies the result only when the whole
// composition succeeded.

#include <optional>
#include <string>
#include <vector>

#include "model/device_record.h"
#include "model/request_state.h"
#include "wire/byte_utils.h"

namespace varnel {

struct BoardRequests {
  std::vector<Bytes> requests;               // in send order, none empty
  std::optional<std::uint8_t> expectedCode;  // unchanged when nothing
  std::string rangeError;                    // the field that did not fit; nothing is sent
  std::string refusal;                       // a whole message: nothing is sent
  // Effects on the device record and the view.
  bool clearConfigFlags = false;     // configuration read: Valid and Shown flags to 0
  bool resetReceiverStates = false;  // channel state read: receiver states to "not read"
  bool redrawModemView = false;
  std::string dumpLengthText;  // new text of the dump length field, when not empty
};

void ApplyRecordEffects(TStructDev& dev, const BoardRequests& r);

// Termination boards: the settings page (or none shown) reads the identification.
enum class TerminationPage { Settings, SubchannelState, Hidden };
BoardRequests BuildTerminationRequest(TerminationPage page, RequestModeValue mode);

// The amplifier's check boxes as shown.
struct AmplifierSetting {
  bool twoAmplifiers = false;  // ChAP2
  bool maskA1 = false;         // ChMaskAP1
  bool maskA3 = false;         // ChMaskAP3
  bool maskA4 = false;         // ChMaskAP4
};
// A ticked mask box sends a 0 bit.
std::uint8_t AmplifierSettingByte(const AmplifierSetting& s);
BoardRequests BuildAmplifierRequest(const AmplifierSetting& s, RequestModeValue mode);

BoardRequests BuildPowerRequest(RequestModeValue mode);

}  // namespace varnel
