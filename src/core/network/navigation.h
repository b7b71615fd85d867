#pragma once
// What the device tree's clicks and menu do to the request state, and the
// texts they show. The tree view only draws and forwards clicks.

#include <string>
#include <vector>

#include "model/request_context.h"

namespace varnel {

// Makes (device, channel) current, as a click on its node does.
void SelectNode(RequestState& request, int device, int channel);

// "Устройство: 3 label" or "Устройство: -".
std::string DevicePanelText(int device, const std::string& nodeLabel);
// The open-block frame of the device without checksum, as hex ("00" alone for none).
std::string OpenBlockRouteText(const DeviceRegistry& registry, int device);
// "Блок " + path, and " канал c" when a channel is current.
std::string PanelDevText(const DeviceRegistry& registry, int device, int channel);
// "Обновить" for a channel, "Открыть блок " + name (at most 45 characters) for a device.
std::string ExploreCaption(const DeviceRegistry& registry, int device, int channel);

// The open-block request: identity request to the device's ID Route, read
// mode, code 1 awaited, the device remembered as the one being opened.
// Returns the text for the device panel.
std::string OpenBlock(RequestContext& ctx, int device);
// The side probe into channel c of the device; returns the panel text.
std::string RefreshChannel(RequestContext& ctx, int device, int channel);

// The question asked before deleting a device, naming what hangs below it.
std::string DeleteQuestion(const DeviceRegistry& registry, int device, std::vector<int>& dependants);
// Frees the device and everything hanging below it at this moment; nothing
// is current afterwards.
void DeleteDevice(RequestContext& ctx, int device);

}  // namespace varnel
