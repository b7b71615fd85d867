#include "boards/termination/config_validation.h"

#include <algorithm>

#include "boards/termination/termination_settings_view.h"
#include "wire/ip_text.h"

namespace varnel {

namespace {

constexpr const char* kNotRead = "Сначала считайте конфигурацию.\r";
constexpr const char* kAlarmNotSlot1 =
    "\r• Режим СК \"Авария от каналов 1..3\"\r    поддерживается только платой канала 1.";
constexpr const char* kModule3Adase = "Модуль 3 : невозможно установить режим \"АДАСЭ\"";
constexpr int kAdase = 1;

// The last list index of each setting a module type has; -1: no such setting.
struct ModuleLimits {
  int tx, rx, mode;
};
ModuleLimits LimitsOf(std::uint8_t type) {
  if (type == kModule4W) return {15, 15, 1};
  if (type == kModuleFS) return {1, -1, -1};
  if (type == kModuleFO) return {1, -1, 1};
  return {-1, -1, -1};
}

// A setting left without a selection keeps its bits as read; any other
// index must lie in the list the module's type has.
bool Fits(int index, int last) { return index == kNoSelection || last < 0 || (index >= 0 && index <= last); }

void CheckModules(std::string& error, const TerminationConfig& c) {
  for (std::size_t m = 0; m < c.modules.size(); ++m) {
    const ModuleSettings& s = c.modules[m];
    const ModuleLimits limits = LimitsOf(s.type);
    if (Fits(s.txLevel, limits.tx) && Fits(s.rxLevel, limits.rx) && Fits(s.mode, limits.mode)) continue;
    if (!error.empty() && error.back() != '\r') error += '\r';
    error += "Модуль " + std::to_string(m + 1) + " : значение вне допустимого диапазона";
  }
}

void CheckAddress(std::string& error, const char* label, const std::string& text) {
  if (!IsValidIp(text)) error += std::string("\r") + label + text;
}

}  // namespace

std::string ValidateTerminationConfig(const TerminationConfig& c, const ConfigWriteContext& context) {
  std::string error;
  if (!context.configRead) error += kNotRead;
  const bool anyChannel = std::any_of(c.alarmChannels.begin(), c.alarmChannels.end(), [](bool on) { return on; });
  // The alarm contact group exists from the firmware that reports the contacts.
  if (TerminationHasContacts(context.ver1, context.ver2) && anyChannel && context.slot != 1) error += kAlarmNotSlot1;
  const ModuleSettings& third = c.modules[2];
  if (third.type == kModule4W && third.mode == kAdase) {
    // Its own line, also after the alarm message, which ends without a break.
    if (!error.empty() && error.back() != '\r') error += '\r';
    error += kModule3Adase;
  }
  CheckModules(error, c);
  CheckAddress(error, "IP адрес ", c.ip);
  CheckAddress(error, "Маска подсети ", c.mask);
  CheckAddress(error, "IP адрес шлюза ", c.gateway);
  return error;
}

}  // namespace varnel
