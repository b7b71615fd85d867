#pragma once
// The device map: the peer address and every device in use with its place in
// the network, written on request for the operator's records. Never read back.

#include <string>

#include "model/device_registry.h"

namespace varnel {

// Sections of devices removed since an earlier save stay in the file. A
// failure writes the INI access error to the trace and returns false.
bool SaveMap(const std::string& path, const std::string& peerIp, const DeviceRegistry& registry, TraceLog& trace);

}  // namespace varnel
