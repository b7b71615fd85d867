#pragma once
// Everything the program keeps between runs in its settings file: the block
// to talk to, the list of known block addresses with their names, the local
// UDP port, the last firmware files, the window geometry, the administrator
// password digest and the exploration limit.

#include <array>
#include <cstdint>
#include <string>

#include "wire/byte_utils.h"
#include "wire/trace_log.h"

namespace varnel {

constexpr int kMaxIpEntries = 16;
constexpr std::size_t kIpTextChars = 15;
constexpr std::size_t kIpNameChars = 32;
constexpr const char* kIniAccessError = "Нет доступа к файлу INI !";
// After a load that stopped early the file still holds settings the program
// never read; saving would replace them with initial values.
constexpr const char* kIniIncomplete = "Файл INI прочитан не полностью: при выходе он не будет перезаписан";
constexpr const char* kIniNotSaved = "Файл INI не перезаписан: он был прочитан не полностью";
constexpr const char* kDefaultPeerIp = "192.168.0.254";

struct WindowGeometry {
  int width = 1008, height = 735, left = 242, top = 110;
};

struct AppSettings {
  std::string peerIp = "192.168.0.7";
  int numIps = 0;  // entries 1..numIps of the lists are in use
  std::array<std::string, kMaxIpEntries> ips{};
  std::array<std::string, kMaxIpEntries> ipNames{};
  std::uint16_t serverPort = 12347;
  std::string mcuFile, fpgaFile, slFile;
  WindowGeometry window;
  // "PSW" as read: the password digest in hexadecimal, empty when no
  // password is set. Kept as text, so a damaged value is written back as found.
  std::string passwordText;
  std::uint8_t autoFind = 0;
};

struct LoadResult {
  bool complete = false;       // false: stopped early, the access error is in the trace
  bool passwordKnown = false;  // "PSW" was read, even when a bad value before it stopped the load
};

// Loads in the fixed order. A missing file reads as an empty one (every key
// takes its default, as on a first start); a file that exists but cannot be
// read, or an out-of-range "NumIPs" or "SRVPORT", stops at that point and
// keeps what was read before. The window keys default to the geometry
// already in settings, and so does a value outside what a screen can hold.
LoadResult LoadSettings(const std::string& path, AppSettings& settings, TraceLog& trace);
// Keeps every key already in the file (list entries above NumIPs, names that
// became empty) and never writes SRVPORT. False when the file could not be written.
bool SaveSettings(const std::string& path, const AppSettings& settings);

// Shutdown's save: skipped, with a trace line, after a load that stopped early.
bool SaveSettingsAtShutdown(const std::string& path, const AppSettings& settings, const LoadResult& loaded,
                            TraceLog& trace);

// Shrinks a window that does not fit the screen by 5 pixels each way (once)
// and moves one whose top-left corner is off the screen to 0, 0.
WindowGeometry FitToScreen(WindowGeometry window, int screenWidth, int screenHeight);

// What a window may really take of the screen: no larger than the screen,
// its top-left corner on it. Applied after the fitting rule, before use.
WindowGeometry ClampToScreen(WindowGeometry window, int screenWidth, int screenHeight);

// Where the settings file is read from and written to: beside the program
// when that folder is writable, otherwise in the user's configuration folder
// (read from beside the program until the user's copy exists).
struct SettingsLocation {
  std::string loadPath, savePath;
  bool inConfigFolder = false;
};
SettingsLocation ChooseSettingsLocation(const std::string& besideProgram, const std::string& configFolder);

}  // namespace varnel
