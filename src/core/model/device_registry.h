#pragma once
// The table of 128 known devices, numbered 1..128; device 1 is the main root
// block at the peer address. 0 always means "no device".

#include <string>
#include <vector>

#include "model/device_record.h"
#include "wire/trace_log.h"

namespace varnel {

class DeviceRegistry {
 public:
  explicit DeviceRegistry(TraceLog& trace);

  // n in 1..128; anything else throws std::out_of_range.
  TStructDev& device(int n);
  const TStructDev& device(int n) const;
  bool inUse(int n) const { return n >= 1 && n <= kMaxDevices && device(n).inUse; }

  void Clear();
  // Lowest free number, marked in use; 0 (and a trace line) when full.
  int AllocDevice();
  void FreeDevice(int n);
  int FindBySendRoute(const Route& route) const;
  int FindByIDRoute(const Route& route) const;
  // Devices below m through its channel c, depth first, each followed by
  // everything below it.
  void CollectDependants(int m, int c, std::vector<int>& list) const;
  // "[root] к.2---к.1 [device]"; only "[root]" part when the chain is broken.
  std::string DevicePathText(int d) const;

 private:
  TraceLog& trace_;
  std::array<TStructDev, kMaxDevices> devices_;
};

// "Eth", "к.1".."к.3", "?" for anything else.
std::string ConnText(int side);
std::string LineTypeText(std::uint8_t type);

}  // namespace varnel
