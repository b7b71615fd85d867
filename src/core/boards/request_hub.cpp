#include "boards/request_hub.h"

#include "wire/frame.h"
#include "wire/time_utils.h"

namespace varnel {

namespace {

constexpr const char* kParamError = "Ошибка в параметрах:\r";

BoardRequests Compose(const TStructDev& dev, int device, int slot, const BoardRequestInput& in,
                      RequestModeValue mode, std::int64_t nowLocal, LogRequestSource* log) {
  switch (slot) {
    case 1:
    case 2:
    case 3: return BuildTerminationRequest(in.terminationPage, mode);
    case kModemSlot: return BuildModemRequests(dev, device, in.modem, in.sender, mode, nowLocal, log);
    case 6:
    case 8: return BuildAmplifierRequest(in.amplifier, mode);
    case 10: return BuildPowerRequest(mode);
    default: return {};  // filter boards: nothing to ask
  }
}

// What an answer to the request repeats: the command code, or the whole
// request where the board acknowledges by repeating it (the modem board's
// resets and data loops, 14 k), so that three of them are told apart.
Bytes AnswerKey(int slot, const Bytes& request) {
  constexpr std::uint8_t kModemResetCommand = 0x14;
  if (slot == kModemSlot && request.size() == 2 && request[0] == kModemResetCommand) return request;
  return Bytes{request[0]};
}

// A click of several requests is executed when every answer has come.
void AwaitAnswers(RequestContext& ctx, int device, int slot, const std::vector<Bytes>& requests) {
  std::vector<Bytes> keys;
  for (const Bytes& request : requests) {
    if (!request.empty()) keys.push_back(AnswerKey(slot, request));
  }
  if (keys.size() < 2) {
    ctx.request.awaited.Clear();
    return;
  }
  ctx.request.awaited.Start(device, slot, std::move(keys), ctx.trace.clock().monotonicMs());
}

void SetSent(RequestContext& ctx, ClickResult& result) {
  ctx.status.Set(ctx.trace.stamp() + " Команда отправлена...", kColourSent);
  result.statusSet = true;
}

ClickResult BlockClick(RequestContext& ctx, RequestModeValue mode, BlockRequestBuilder* block) {
  ClickResult result;
  BlockFrame f = block ? block->BuildBlockFrame(mode) : BlockFrame{};
  if (!f.error.empty()) {
    result.error = kParamError + f.error;
    return result;
  }
  // A lone checksum byte is no request.
  if (f.frame.empty()) return result;
  ctx.request.requestMode = mode;
  ctx.request.awaited.Clear();
  ctx.frames.SendFrame(std::move(f.frame));
  result.sent = 1;
  SetSent(ctx, result);
  return result;
}

}  // namespace

ClickResult ButRDClick(RequestContext& ctx, const BoardRequestInput& input, const RequestHooks& hooks) {
  const int device = ctx.request.currentDevice;
  if (device == 0) return {};
  const RequestModeValue mode = ModeOfSender(input.sender);
  const int slot = ctx.request.selectedSlot;
  if (slot == 0) return BlockClick(ctx, mode, hooks.block);

  TStructDev& dev = ctx.registry.device(device);
  const std::int64_t nowLocal = LocalSeconds(ctx.trace.clock().localNow());
  const BoardRequests r = Compose(dev, device, slot, input, mode, nowLocal, hooks.log);
  ClickResult result;
  // A field that does not fit stops the whole click before anything changes.
  if (!r.rangeError.empty() || !r.refusal.empty()) {
    result.error = r.refusal.empty() ? kParamError + r.rangeError : r.refusal;
    return result;
  }
  ctx.request.requestMode = mode;
  ctx.request.lastDevice = device;
  if (r.expectedCode) ctx.request.expectedCode = *r.expectedCode;
  ApplyRecordEffects(dev, r);
  AwaitAnswers(ctx, device, slot, r.requests);
  for (const Bytes& request : r.requests) {
    if (request.empty()) continue;
    ctx.boards.SendBoardCommand(device, slot, request);
    ++result.sent;
  }
  result.redrawModemView = r.redrawModemView;
  result.dumpLengthText = r.dumpLengthText;
  SetSent(ctx, result);
  return result;
}

}  // namespace varnel
