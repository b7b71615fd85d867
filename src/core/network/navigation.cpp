#include "network/navigation.h"

#include "wire/cp1251.h"
#include "wire/frame.h"
#include "wire/str_utils.h"

namespace varnel {

void SelectNode(RequestState& request, int device, int channel) {
  request.currentDevice = device;
  request.currentChannel = device == 0 ? 0 : channel;
}

std::string DevicePanelText(int device, const std::string& nodeLabel) {
  if (device == 0) return "Устройство: -";
  return "Устройство: " + std::to_string(device) + " " + nodeLabel;
}

std::string OpenBlockRouteText(const DeviceRegistry& registry, int device) {
  if (!registry.inUse(device)) return "00";
  Route r = registry.device(device).idRoute;
  r.push_back(0);
  return "00" + BytesToHex(PackNibbles(r));
}

std::string PanelDevText(const DeviceRegistry& registry, int device, int channel) {
  std::string text = "Блок " + registry.DevicePathText(device);
  if (channel != 0) text += " канал " + std::to_string(channel);
  return text;
}

std::string ExploreCaption(const DeviceRegistry& registry, int device, int channel) {
  if (channel != 0) return "Обновить";
  return Utf8Left("Открыть блок " + registry.device(device).name, 45);
}

std::string OpenBlock(RequestContext& ctx, int device) {
  const TStructDev& dev = ctx.registry.device(device);
  ctx.frames.SendFrame(OpenBlockRequest(dev.idRoute));
  ctx.request.requestMode = kReadRequest;
  ctx.request.expectedCode = 1;
  ctx.request.openDevice = device;
  ctx.trace.RefreshClock();
  return ctx.trace.stamp() + " Команда открытия блока \"" + dev.name + "\" отправлена";
}

std::string RefreshChannel(RequestContext& ctx, int device, int channel) {
  const TStructDev& dev = ctx.registry.device(device);
  ctx.frames.SendFrame(SideProbeRequest(dev.sendRoute, channel));
  return ctx.trace.stamp() + " Команда в канал " + std::to_string(channel) + " блока \"" + dev.name +
         "\" отправлена";
}

std::string DeleteQuestion(const DeviceRegistry& registry, int device, std::vector<int>& dependants) {
  dependants.clear();
  for (int c = 1; c <= 3; ++c) registry.CollectDependants(device, c, dependants);
  std::string text = "Удалить устройство " + registry.device(device).name + "?\r";
  if (!dependants.empty()) {
    text += "К этому устройству подключены:";
    for (int d : dependants) text += "\r" + registry.device(d).name;
  }
  return text;
}

void DeleteDevice(RequestContext& ctx, int device) {
  if (!ctx.registry.inUse(device)) return;
  // Collected now, not when the question was asked: discovery may have hung
  // new devices below this one while the operator was deciding.
  std::vector<int> dependants;
  for (int c = 1; c <= 3; ++c) ctx.registry.CollectDependants(device, c, dependants);
  for (int d : dependants) ctx.registry.FreeDevice(d);
  ctx.registry.FreeDevice(device);
  ctx.request.currentDevice = 0;
  ctx.request.currentChannel = 0;
}

}  // namespace varnel
