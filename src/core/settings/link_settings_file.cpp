#include "settings/link_settings_file.h"

#include <SimpleIni.h>

#include "settings/ini_values.h"
#include "transport/cp1251.h"

namespace varnel {

bool LoadLinkSettings(const std::string& path, LinkSettings& link, TraceLog& trace) {
  CSimpleIniA ini;
  ini.SetUnicode(false);  // keep Windows-1251 bytes as they are
  if (ini.LoadFile(path.c_str()) < 0) {
    trace.Trace(kIniAccessError, 1);
    return false;
  }
  link.peerIp = Cp1251ToUtf8(ini.GetValue("NET", "IP", kDefaultPeerIp));
  const auto port = ParseIniInteger(ini.GetValue("NET", "SRVPORT", "12347"));
  const std::int64_t value = port.value_or(12347);
  if (value < 0 || value > 65535) {
    trace.Trace(kIniAccessError, 1);
    return false;
  }
  link.serverPort = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace varnel
