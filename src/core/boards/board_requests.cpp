#include "boards/board_requests.h"

namespace varnel {

namespace {

BoardRequests One(Bytes request, std::uint8_t expected) {
  BoardRequests r;
  r.requests.push_back(std::move(request));
  r.expectedCode = expected;
  return r;
}

}  // namespace

void ApplyRecordEffects(TStructDev& dev, const BoardRequests& r) {
  if (r.clearConfigFlags) {
    dev.modemCommon.CommonValid = dev.modemCommon.CommonShown = 0;
    for (auto& c : dev.modemChannels) c.CfgValid = c.CfgShown = 0;
  }
  if (r.resetReceiverStates) {
    for (auto& m : dev.board(kModemSlot).Modules) m.Values[0] = 0;
  }
}

BoardRequests BuildTerminationRequest(TerminationPage page, RequestModeValue mode) {
  if (page != TerminationPage::SubchannelState) return One({0x01}, 0x01);
  return One(mode == kWriteRequest ? Bytes{0x02, 0x00} : Bytes{0x02}, 0x02);
}

std::uint8_t AmplifierSettingByte(const AmplifierSetting& s) {
  return static_cast<std::uint8_t>((s.twoAmplifiers ? 0x01 : 0) | (s.maskA1 ? 0 : 0x02) |
                                   (s.maskA3 ? 0 : 0x08) | (s.maskA4 ? 0 : 0x10));
}

BoardRequests BuildAmplifierRequest(const AmplifierSetting& s, RequestModeValue mode) {
  return One(mode == kWriteRequest ? Bytes{0x01, AmplifierSettingByte(s)} : Bytes{0x01}, 0x01);
}

BoardRequests BuildPowerRequest(RequestModeValue mode) {
  return One(mode == kWriteRequest ? Bytes{0x01, 0x00} : Bytes{0x01}, 0x01);
}

}  // namespace varnel
