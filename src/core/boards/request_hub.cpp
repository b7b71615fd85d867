#include "boards/request_hub.h"

#include "transport/frame.h"
#include "transport/time_utils.h"

namespace varnel {

namespace {

constexpr const char* kParamError = "Ошибка в параметрах:\r";

BoardRequests Compose(const TStructDev& dev, int slot, const BoardRequestInput& in, RequestModeValue mode,
                      std::int64_t nowLocal, LogRequestSource* log) {
  switch (slot) {
    case 1:
    case 2:
    case 3: return BuildTerminationRequest(in.terminationPage, mode);
    case kModemSlot: return BuildModemRequests(dev, in.modem, in.sender, mode, nowLocal, log);
    case 6:
    case 8: return BuildAmplifierRequest(in.amplifier, mode);
    case 10: return BuildPowerRequest(mode);
    default: return {};  // filter boards: nothing to ask
  }
}

void SetSent(Link& link, ClickResult& result) {
  link.status.Set(link.trace.stamp() + " Команда отправлена...", kColourSent);
  result.statusSet = true;
}

ClickResult BlockClick(Link& link, RequestModeValue mode, BlockRequestBuilder* block) {
  ClickResult result;
  BlockFrame f = block ? block->BuildBlockFrame(mode) : BlockFrame{};
  if (!f.error.empty()) {
    result.error = kParamError + f.error;
    return result;
  }
  // A lone checksum byte is no request.
  if (f.frame.empty()) return result;
  link.request.requestMode = mode;
  link.send.SendFrame(std::move(f.frame));
  result.sent = 1;
  SetSent(link, result);
  return result;
}

}  // namespace

ClickResult ButRDClick(Link& link, const BoardRequestInput& input, const RequestHooks& hooks) {
  const int device = link.request.currentDevice;
  if (device == 0) return {};
  const RequestModeValue mode = ModeOfSender(input.sender);
  const int slot = link.request.selectedSlot;
  if (slot == 0) return BlockClick(link, mode, hooks.block);

  TStructDev& dev = link.registry.device(device);
  const std::int64_t nowLocal = LocalSeconds(link.trace.clock().localNow());
  const BoardRequests r = Compose(dev, slot, input, mode, nowLocal, hooks.log);
  ClickResult result;
  // A field that does not fit stops the whole click before anything changes.
  if (!r.rangeError.empty()) {
    result.error = kParamError + r.rangeError;
    return result;
  }
  link.request.requestMode = mode;
  link.request.lastDevice = device;
  if (r.expectedCode) link.request.expectedCode = *r.expectedCode;
  ApplyRecordEffects(dev, r);
  for (const Bytes& request : r.requests) {
    if (request.empty()) continue;
    link.send.SendBoardCommand(device, slot, request);
    ++result.sent;
  }
  result.redrawModemView = r.redrawModemView;
  result.dumpLengthText = r.dumpLengthText;
  SetSent(link, result);
  return result;
}

}  // namespace varnel
