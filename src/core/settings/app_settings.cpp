#include "settings/app_settings.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "settings/ini_file.h"
#include "wire/cp1251.h"

namespace varnel {

namespace {

const std::string kNet = "NET";
const std::string kFw = "FW Update";
const std::string kSize = "Size";
const std::string kCommon = "COMMON";

std::int64_t IntegerOr(const IniFile& ini, const std::string& section, const std::string& key,
                       std::int64_t fallback) {
  return ini.Integer(section, key).value_or(fallback);
}

// Cut to n characters as stored: the file's names are single-byte text.
// The file cannot hold blanks at the end of a value, so a cut that ends in
// them drops them: what is saved then reads back the same.
std::string Cut(const std::string& text, std::size_t n) {
  std::string cut = Utf8Left(text, n);
  while (!cut.empty() && (cut.back() == ' ' || cut.back() == '\t')) cut.pop_back();
  return cut;
}

// The window keys: a value no screen can hold counts as missing, so that
// fitting and painting never see absurd sizes.
constexpr std::int64_t kMaxWindowSize = 32767;
constexpr std::int64_t kMaxWindowOffset = 32767;

int WindowKey(const IniFile& ini, const std::string& key, int current, std::int64_t lo, std::int64_t hi) {
  const std::optional<std::int64_t> v = ini.Integer(kSize, key);
  return v && *v >= lo && *v <= hi ? static_cast<int>(*v) : current;
}

LoadResult Stop(TraceLog& trace) {
  trace.Trace(kIniAccessError, 1);
  trace.Trace(kIniIncomplete, 1);
  return {};
}

std::string PasswordText(const IniFile& ini) { return ini.Text(kCommon, "PSW", ""); }

// A bad value earlier in a readable file must not hide the password: the
// access mode is still decided from it.
LoadResult StopKnowingPassword(const IniFile& ini, AppSettings& s, TraceLog& trace) {
  s.passwordText = PasswordText(ini);
  LoadResult r = Stop(trace);
  r.passwordKnown = true;
  return r;
}

}  // namespace

LoadResult LoadSettings(const std::string& path, AppSettings& s, TraceLog& trace) {
  IniFile ini;
  std::error_code ec;
  // A missing file reads as an empty one; anything else that cannot be
  // loaded (a folder, no permission) is an access error.
  if (std::filesystem::exists(path, ec) && !ini.Load(path)) return Stop(trace);

  s.peerIp = ini.Text(kNet, "IP", kDefaultPeerIp);
  const std::int64_t num = IntegerOr(ini, kNet, "NumIPs", 1);
  if (num < 0 || num > 255) return StopKnowingPassword(ini, s, trace);
  s.numIps = (num == 0 || num > kMaxIpEntries) ? 1 : static_cast<int>(num);
  for (int n = 1; n <= s.numIps; ++n) {
    s.ips[n - 1] = Cut(ini.Text(kNet, "IP_" + std::to_string(n), kDefaultPeerIp), kIpTextChars);
    s.ipNames[n - 1] = Cut(ini.Text(kNet, "Name_" + std::to_string(n), ""), kIpNameChars);
  }
  const std::int64_t port = IntegerOr(ini, kNet, "SRVPORT", 12347);
  if (port < 0 || port > 65535) return StopKnowingPassword(ini, s, trace);
  s.serverPort = static_cast<std::uint16_t>(port);

  s.mcuFile = ini.Text(kFw, "CPU", "");
  s.fpgaFile = ini.Text(kFw, "FPGA", "");
  s.slFile = ini.Text(kFw, "SL", "");

  auto& w = s.window;
  w.width = WindowKey(ini, "Width", w.width, 1, kMaxWindowSize);
  w.height = WindowKey(ini, "Height", w.height, 1, kMaxWindowSize);
  w.left = WindowKey(ini, "Left", w.left, -kMaxWindowOffset, kMaxWindowOffset);
  w.top = WindowKey(ini, "Top", w.top, -kMaxWindowOffset, kMaxWindowOffset);

  s.passwordText = PasswordText(ini);
  s.autoFind = static_cast<std::uint8_t>(IntegerOr(ini, kCommon, "AUTOFIND", 32) & 0xFF);
  return {true, true};
}

bool SaveSettings(const std::string& path, const AppSettings& s) {
  IniFile ini;
  // Keep what is there; a missing file starts empty, one we cannot read is
  // left alone rather than replaced by our keys alone.
  std::error_code ec;
  if (!ini.Load(path) && std::filesystem::exists(path, ec)) return false;
  ini.SetText(kNet, "IP", s.peerIp);
  ini.SetInteger(kNet, "NumIPs", s.numIps);
  for (int n = 1; n <= s.numIps && n <= kMaxIpEntries; ++n) {
    ini.SetText(kNet, "IP_" + std::to_string(n), s.ips[n - 1]);
    if (!s.ipNames[n - 1].empty()) ini.SetText(kNet, "Name_" + std::to_string(n), s.ipNames[n - 1]);
  }
  ini.SetInteger(kSize, "Width", s.window.width);
  ini.SetInteger(kSize, "Height", s.window.height);
  ini.SetInteger(kSize, "Left", s.window.left);
  ini.SetInteger(kSize, "Top", s.window.top);
  ini.SetText(kFw, "CPU", s.mcuFile);
  ini.SetText(kFw, "FPGA", s.fpgaFile);
  ini.SetText(kFw, "SL", s.slFile);
  ini.SetText(kCommon, "PSW", s.passwordText);
  ini.SetInteger(kCommon, "AUTOFIND", s.autoFind);
  return ini.Save(path);
}

bool SaveSettingsAtShutdown(const std::string& path, const AppSettings& settings, const LoadResult& loaded,
                            TraceLog& trace) {
  if (!loaded.complete) {
    trace.Trace(kIniNotSaved, 1);
    return false;
  }
  return SaveSettings(path, settings);
}

WindowGeometry FitToScreen(WindowGeometry w, int screenWidth, int screenHeight) {
  if (screenHeight <= w.height || screenWidth <= w.width) {
    w.height -= 5;
    w.width -= 5;
  }
  if (screenHeight <= w.top || screenWidth <= w.left) {
    w.top = 0;
    w.left = 0;
  }
  return w;
}

WindowGeometry ClampToScreen(WindowGeometry w, int screenWidth, int screenHeight) {
  w.width = std::clamp(w.width, 1, std::max(1, screenWidth));
  w.height = std::clamp(w.height, 1, std::max(1, screenHeight));
  w.left = std::clamp(w.left, 0, std::max(0, screenWidth - 1));
  w.top = std::clamp(w.top, 0, std::max(0, screenHeight - 1));
  return w;
}

SettingsLocation ChooseSettingsLocation(const std::string& besideProgram, const std::string& configFolder) {
  namespace fs = std::filesystem;
  const fs::path beside(besideProgram);
  const fs::path folder = beside.has_parent_path() ? beside.parent_path() : fs::path(".");
  if (access(folder.c_str(), W_OK) == 0) return {besideProgram, besideProgram, false};
  const fs::path own = fs::path(configFolder) / beside.filename();
  std::error_code ec;
  fs::create_directories(configFolder, ec);
  const bool ownExists = fs::exists(own, ec);
  return {ownExists ? own.string() : besideProgram, own.string(), true};
}

}  // namespace varnel
