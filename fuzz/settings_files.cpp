// The settings file and the device map as found on disk. The input is the
// file; it is loaded, saved, loaded again, and what the second load sees must
// be what the first one saw. The map is written over the same bytes and must
// read back as an INI file holding the devices.
//
// Input: one byte choosing settings (even) or map (odd), then the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "settings/app_settings.h"
#include "settings/ini_file.h"
#include "settings/map_file.h"

namespace {

using namespace varnel;

const std::string& Folder() {
  static const std::string folder = [] {
    // Memory-backed, so the atomic saves' flushes cost nothing.
    char pattern[] = "/dev/shm/varnel-fuzz-settings-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    return std::string(made);
  }();
  return folder;
}

void Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
}

bool Same(const AppSettings& a, const AppSettings& b) {
  bool same = a.peerIp == b.peerIp && a.numIps == b.numIps && a.serverPort == b.serverPort &&
              a.mcuFile == b.mcuFile && a.fpgaFile == b.fpgaFile && a.slFile == b.slFile &&
              a.window.width == b.window.width && a.window.height == b.window.height &&
              a.window.left == b.window.left && a.window.top == b.window.top &&
              a.passwordText == b.passwordText && a.autoFind == b.autoFind;
  for (int i = 0; i < a.numIps; ++i) same = same && a.ips[i] == b.ips[i] && a.ipNames[i] == b.ipNames[i];
  return same;
}

void SettingsRoundTrip(const std::string& path, TraceLog& trace) {
  AppSettings first;
  const LoadResult loaded = LoadSettings(path, first, trace);
  if (!loaded.complete) return;  // such a file is never written back
  if (!SaveSettings(path, first)) std::abort();
  AppSettings second;
  if (!LoadSettings(path, second, trace).complete || !Same(first, second)) std::abort();
}

constexpr int kBelow = 2;  // the second device a fresh registry hands out

// Built once: a registry is 128 device records, and building one per input
// took most of the time. SaveMap only reads it.
const DeviceRegistry& Devices() {
  static ManualClock clock;
  static TraceLog trace(clock);
  static const DeviceRegistry* registry = [] {
    auto* made = new DeviceRegistry(trace);
    const int root = made->AllocDevice();
    made->device(root).id = 1;
    made->device(root).name = "ПС \"Южная\"; [DEV_2]\r\nID=9";  // text never adds lines
    if (made->AllocDevice() != kBelow) std::abort();
    made->device(kBelow).id = 5;
    made->device(kBelow).rootNumber = static_cast<std::uint16_t>(root);
    made->device(kBelow).rootName = "корень=1";
    return made;
  }();
  return *registry;
}

void MapOverFile(const std::string& path, TraceLog& trace) {
  if (!SaveMap(path, "127.0.0.1", Devices(), trace)) return;
  IniFile reread;
  if (!reread.Load(path)) std::abort();
  if (reread.Integer("DEV_" + std::to_string(kBelow), "ID") != 5) std::abort();
  if (reread.Text("COMMON", "IP", "") != "127.0.0.1") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  ManualClock clock;
  TraceLog trace(clock);
  const std::string path = Folder() + "/file.ini";
  Write(path, data + 1, size - 1);
  if (data[0] % 2 == 0) {
    SettingsRoundTrip(path, trace);
  } else {
    MapOverFile(path, trace);
  }
  return 0;
}
