#include "cli/options/cli_options.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "network/device_lookup.h"
#include "cli/options/help_table.h"
#include "wire/ip_text.h"

namespace varnel::cli {

namespace {

struct BoardNameRow {
  BoardChoice board;
  const char* name;
  int slot;
};
constexpr BoardNameRow kBoards[] = {
    {BoardChoice::Modem, "modem", 4}, {BoardChoice::Sl1, "sl1", 1}, {BoardChoice::Sl2, "sl2", 2},
    {BoardChoice::Sl3, "sl3", 3},     {BoardChoice::Ap1, "ap1", 6}, {BoardChoice::Ap2, "ap2", 8},
    {BoardChoice::Power, "power", 10},
};

bool ParseInt(const std::string& text, int low, int high, int& out) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
  out = value;
  return true;
}

// Seconds with an optional fraction, 0.1 .. 3600, to milliseconds.
bool ParseSeconds(const std::string& text, int& ms) {
  double seconds = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc() || end != text.data() + text.size() || !(seconds >= 0.1 && seconds <= 3600)) return false;
  ms = static_cast<int>(std::lround(seconds * 1000));
  return true;
}

// Option name to its value ("" for a switch), in the order given.
using Given = std::map<std::string, std::string, std::less<>>;

std::string Bad(std::string_view option, std::string_view value, std::string_view want) {
  return "bad value '" + std::string(value) + "' for " + std::string(option) + ": " + std::string(want);
}

std::string ReadCommon(const Given& g, CliOptions& o) {
  if (auto it = g.find("--peer"); it != g.end()) {
    if (!IsValidIp(it->second) || it->second.size() > 16) return Bad("--peer", it->second, "an IPv4 address");
    const IpBytes ip = IpFromText(it->second);
    o.peer = IpToText(ByteView(ip.data(), ip.size()));
  } else {
    return "--peer IP is required";
  }
  int value = 0;
  if (auto it = g.find("--port"); it != g.end()) {
    if (!ParseInt(it->second, 1, 65535, value)) return Bad("--port", it->second, "1 .. 65535");
    o.port = static_cast<std::uint16_t>(value);
  }
  if (auto it = g.find("--timeout"); it != g.end() && !ParseSeconds(it->second, o.timeoutMs)) {
    return Bad("--timeout", it->second, "seconds, 0.1 .. 3600");
  }
  if (auto it = g.find("--autofind"); it != g.end() && !ParseInt(it->second, 0, 255, o.autofind)) {
    return Bad("--autofind", it->second, "0 .. 255");
  }
  if (auto it = g.find("--interval"); it != g.end() && !ParseInt(it->second, 10, 10000, o.intervalMs)) {
    return Bad("--interval", it->second, "milliseconds, 10 .. 10000");
  }
  return {};
}

std::string ReadDevice(const Given& g, CliOptions& o) {
  auto it = g.find("--device");
  if (it == g.end()) return "--device PATH is required";
  o.device = it->second;
  if (o.device.empty()) return "--device must not be empty";
  if (o.device.starts_with('.') && !ParseIdRouteText(o.device)) {
    return Bad("--device", o.device, "an ID Route as .1.1.0.2 (hex digits after dots)");
  }
  return {};
}

std::string ReadCommand(const Given& g, CliOptions& o) {
  if (o.command == "read") {
    auto it = g.find("--board");
    if (it == g.end()) return "--board BOARD is required";
    for (const BoardNameRow& row : kBoards) {
      if (it->second == row.name) {
        o.board = row.board;
        return {};
      }
    }
    return Bad("--board", it->second, "modem, sl1, sl2, sl3, ap1, ap2 or power");
  }
  if (o.command == "log") {
    auto it = g.find("--out");
    if (it == g.end() || it->second.empty()) return "--out FILE is required";
    o.out = it->second;
    if (std::filesystem::is_directory(o.out)) return "--out names a folder: " + o.out;
    if (auto b = g.find("--batch"); b != g.end() && !ParseInt(b->second, 0, 7, o.batchCode)) {
      return Bad("--batch", b->second, "0 .. 7");
    }
    return {};
  }
  if (o.command == "firmware") {
    const bool mcu = g.contains("--mcu");
    o.fpga = g.contains("--fpga");
    if (mcu && o.fpga) return "--mcu and --fpga exclude each other: one firmware file at a time";
    if (!mcu && !o.fpga) return "--mcu FILE or --fpga FILE is required";
    o.firmwareFile = g.at(mcu ? "--mcu" : "--fpga");
    return CheckFirmwareFile(o.firmwareFile);
  }
  return {};
}

}  // namespace

int BoardSlot(BoardChoice board) {
  for (const BoardNameRow& row : kBoards) {
    if (row.board == board) return row.slot;
  }
  return 0;
}

const char* BoardName(BoardChoice board) {
  for (const BoardNameRow& row : kBoards) {
    if (row.board == board) return row.name;
  }
  return "";
}

std::string CheckFirmwareFile(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return "firmware file not found: " + path;
  if (!std::filesystem::is_regular_file(status)) return "firmware file is not a regular file: " + path;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || !std::ifstream(path, std::ios::binary).good()) return "firmware file cannot be read: " + path;
  if (size > static_cast<std::uintmax_t>(kMaxFirmwareBytes)) {
    return "firmware file too large: " + std::to_string(size) + " bytes, at most " +
           std::to_string(kMaxFirmwareBytes) + ": " + path;
  }
  if (size == 0) return "firmware file is empty: " + path;
  return {};
}

ParsedCli ParseCli(const std::vector<std::string>& args) {
  ParsedCli r;
  CliOptions& o = r.options;
  if (args.empty()) {
    r.error = "a command is required (discover, read, log, firmware); see --help";
    return r;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    o.help = true;
    return r;
  }
  const CommandHelp* command = FindCommand(args[0]);
  if (command == nullptr) {
    r.error = "unknown command '" + args[0] + "'; see --help";
    return r;
  }
  o.command = args[0];
  Given given;
  for (std::size_t i = 1; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const OptionHelp* option = FindOption(*command, name);
    if (option == nullptr) {
      r.error = "unknown option '" + name + "' for " + o.command + "; see varnel-cli " + o.command + " --help";
      return r;
    }
    if (option->value.empty() && value) {
      r.error = name + " takes no value";
      return r;
    }
    if (!option->value.empty() && !value) {
      if (i + 1 >= args.size()) {
        r.error = name + " needs a value (" + std::string(option->value) + ")";
        return r;
      }
      value = args[++i];
    }
    if (given.contains(name)) {
      r.error = name + " given twice";
      return r;
    }
    given[name] = value.value_or("");
  }
  o.help = given.contains("--help");
  o.json = given.contains("--json");
  if (o.help) return r;
  r.error = ReadCommon(given, o);
  if (r.error.empty() && o.command != "discover") r.error = ReadDevice(given, o);
  if (r.error.empty()) r.error = ReadCommand(given, o);
  return r;
}

}  // namespace varnel::cli
