#include "network/discovery.h"

#include "wire/cp1251.h"
#include "wire/frame.h"
#include "wire/str_utils.h"

namespace varnel {

TopologyPlace PlaceByIdRoute(const Route& idRoute, std::uint8_t upConnection) {
  TopologyPlace place;
  if (idRoute.size() < 3) return place;
  Route path = idRoute;
  path.truncate(idRoute.size() - 2);
  place.channel = path.back();
  place.master = path;
  place.master.pop_back();
  place.sendRoute = (upConnection >= 1 && upConnection <= 3) ? path : idRoute;
  return place;
}

Discovery::Discovery(TraceLog& trace, DeviceRegistry& registry, RequestState& request,
                     DiscoveryEvents& events)
    : trace_(trace), registry_(registry), request_(request), events_(events) {}

void Discovery::Fail(int code) { trace_.Trace("  Err:" + std::to_string(code), 0); }

int Discovery::AddMainRoot(std::uint8_t id, const Route& idRoute) {
  trace_.Trace("   New MAIN Root DEV Add", 0);
  const int k = registry_.AllocDevice();
  if (k == 0) {
    Fail(2);
    return 0;
  }
  if (k != 1) {
    // Device 1 is held by another Route; the record just taken would stay in
    // use without Routes and block a slot for nothing, so give it back.
    registry_.FreeDevice(k);
    Fail(5);
    return 0;
  }
  TStructDev& dev = registry_.device(k);
  dev.upConn = 0;
  dev.rootPort = 0;
  dev.sendRoute = idRoute;
  dev.idRoute = idRoute;
  dev.id = id;
  return k;
}

int Discovery::AddChannelDevice(std::uint8_t id, const Route& idRoute, std::uint8_t up) {
  trace_.Trace("    New Root ETH/Ch DEV...", 0);
  if (idRoute.size() < 3) {
    Fail(6);
    return 0;
  }
  const TopologyPlace place = PlaceByIdRoute(idRoute, up);
  if (trace_.wants(0)) {
    trace_.Trace("   routeBRD:" + NibblesToText(place.sendRoute) + "  root:" + NibblesToText(place.master), 0);
  }
  if (place.channel == 0 || place.channel > 3) {
    Fail(4);
    return 0;
  }
  const int m = registry_.FindBySendRoute(place.master);
  if (trace_.wants(0)) {
    trace_.Trace("    rootDEV:" + std::to_string(m) + " RootRoute" + NibblesToText(place.master), 0);
  }
  if (m == 0) {
    trace_.Trace("  MasterDev not found ", 0);
    Fail(0);
    return 0;
  }
  const int k = registry_.AllocDevice();
  if (k == 0) {
    Fail(3);
    return 0;
  }
  TStructDev& dev = registry_.device(k);
  dev.rootPort = static_cast<std::uint8_t>(place.channel);
  dev.upConn = up;
  // The channel towards the master is not a child channel.
  if (up >= 1 && up <= 3) dev.channels[up - 1].show = false;
  dev.sendRoute = place.sendRoute;
  dev.idRoute = idRoute;
  dev.id = id;
  dev.rootNumber = static_cast<std::uint16_t>(m);
  dev.rootName = Utf8Left(registry_.device(m).name, kRootNameChars);
  return k;
}

void Discovery::IdentityAnswer(std::uint8_t id, const Route& idRoute, int device,
                               std::span<const std::uint8_t> body) {
  if (body.size() < 2) {
    trace_.Trace("    len<2", 0);
    Fail(1);
    return;
  }
  const std::uint8_t up = body[0];
  const std::uint8_t type = body[1];
  int k = device;
  const bool added = k == 0;
  if (added) {
    k = idRoute.size() == 1 ? AddMainRoot(id, idRoute) : AddChannelDevice(id, idRoute, up);
    if (k == 0) return;
  }
  TStructDev& dev = registry_.device(k);
  // The name field is Windows-1251 on the wire: cut by bytes, then decode.
  const std::string raw = BytesToName(body.data() + 2, body.size() - 2, body.size() - 2);
  dev.name = Cp1251ToUtf8(raw.substr(0, kNameChars));
  dev.blockType = type;
  if (added) events_.DeviceAdded(k);
  events_.DeviceNameKnown(k);
  if (k == request_.openDevice && k == request_.currentDevice) events_.BlockOpened(k);
}

void Discovery::FillTestTopology() {
  registry_.Clear();
  for (int i = 1; i <= 100; ++i) {
    TStructDev& dev = registry_.device(i);
    dev.inUse = true;
    dev.name = "Блок ddd" + std::to_string(i);
    dev.id = static_cast<std::uint8_t>(i);
    dev.rootNumber = static_cast<std::uint16_t>(i == 1 ? 0 : (i <= 4 ? i - 1 : i / 11 + 1));
    dev.rootPort = static_cast<std::uint8_t>(i < 5 ? 1 : (i < 10 ? 2 : 3));
    dev.upConn = static_cast<std::uint8_t>((i - 1) % 4);
  }
}

}  // namespace varnel
