#include "model/device_registry.h"

#include <stdexcept>

namespace varnel {

void InitDevice(TStructDev& dev) {
  dev = TStructDev{};
  dev.board(kModemSlot).Values[0] = kClockNotRead;  // the modem's clock has not been read
}

DeviceRegistry::DeviceRegistry(TraceLog& trace) : trace_(trace) { Clear(); }

TStructDev& DeviceRegistry::device(int n) {
  if (n < 1 || n > kMaxDevices) throw std::out_of_range("device number " + std::to_string(n));
  return devices_[static_cast<std::size_t>(n - 1)];
}

const TStructDev& DeviceRegistry::device(int n) const {
  return const_cast<DeviceRegistry*>(this)->device(n);
}

void DeviceRegistry::Clear() {
  for (auto& d : devices_) InitDevice(d);
}

int DeviceRegistry::AllocDevice() {
  for (int n = 1; n <= kMaxDevices; ++n) {
    if (!device(n).inUse) {
      device(n).inUse = true;
      return n;
    }
  }
  trace_.Trace("Num_Devs MAX ", 1);
  return 0;
}

void DeviceRegistry::FreeDevice(int n) { InitDevice(device(n)); }

int DeviceRegistry::FindBySendRoute(const Route& route) const {
  for (int n = 1; n <= kMaxDevices; ++n) {
    if (device(n).inUse && device(n).sendRoute == route) return n;
  }
  return 0;
}

int DeviceRegistry::FindByIDRoute(const Route& route) const {
  for (int n = 1; n <= kMaxDevices; ++n) {
    if (device(n).inUse && device(n).idRoute == route) return n;
  }
  return 0;
}

void DeviceRegistry::CollectDependants(int m, int c, std::vector<int>& list) const {
  // Root numbers come from the network; a cycle must not recurse forever, and
  // the list never holds more than the 127 possible dependants.
  for (int i = 2; i <= kMaxDevices; ++i) {
    const TStructDev& d = device(i);
    if (!d.inUse || d.rootNumber != m || d.rootPort != c) continue;
    bool seen = false;
    for (int x : list) seen = seen || x == i;
    if (seen || list.size() >= kMaxDevices - 1) continue;
    list.push_back(i);
    for (int ch = 1; ch <= 3; ++ch) CollectDependants(i, ch, list);
  }
}

std::string DeviceRegistry::DevicePathText(int d) const {
  std::vector<int> chain;
  for (int x = d, steps = 0; steps < kMaxDevices && x >= 1 && x <= kMaxDevices; ++steps) {
    chain.push_back(x);
    if (x == 1) break;
    x = device(x).rootNumber;
  }
  if (chain.empty() || chain.back() != 1) chain.clear();

  std::string text = "[" + device(1).name + "]";
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (*it == 1) continue;
    const TStructDev& x = device(*it);
    text += " " + ConnText(x.rootPort) + "---" + ConnText(x.upConn) + " [" + x.name + "]";
  }
  return text;
}

std::string ConnText(int side) {
  if (side == 0) return "Eth";
  if (side >= 1 && side <= 3) return "к." + std::to_string(side);
  return "?";
}

std::string LineTypeText(std::uint8_t type) {
  switch (type) {
    case 0: return "Нет  ";
    case 7: return "FO   ";
    case 9: return "FS   ";
    case 13: return "4W01 ";
    default: return "неизв.";
  }
}

}  // namespace varnel
