#include "settings/map_file.h"

#include <filesystem>

#include "settings/app_settings.h"
#include "settings/ini_file.h"

namespace varnel {

bool SaveMap(const std::string& path, const std::string& peerIp, const DeviceRegistry& registry, TraceLog& trace) {
  IniFile ini;
  // Sections of devices seen before are kept; a map we cannot read is not
  // replaced by a new one.
  std::error_code ec;
  if (!ini.Load(path) && std::filesystem::exists(path, ec)) {
    trace.Trace(kIniAccessError, 1);
    return false;
  }
  ini.SetText("COMMON", "IP", peerIp);
  for (int n = 1; n <= kMaxDevices; ++n) {
    if (!registry.inUse(n)) continue;
    const TStructDev& d = registry.device(n);
    const std::string section = "DEV_" + std::to_string(n);
    ini.SetInteger(section, "ID", d.id);
    ini.SetText(section, "Name", d.name);
    ini.SetInteger(section, "UpConn", d.upConn);
    ini.SetInteger(section, "RootPort", d.rootPort);
    ini.SetInteger(section, "RootN", d.rootNumber);
    ini.SetText(section, "RootName", d.rootName);
    ini.SetInteger(section, "BType", d.blockType);
    for (int c = 1; c <= 3; ++c) {
      ini.SetText(section, "CHSHOW" + std::to_string(c), d.channels[c - 1].show ? "1" : "0");
    }
  }
  if (ini.Save(path)) return true;
  trace.Trace(kIniAccessError, 1);
  return false;
}

}  // namespace varnel
