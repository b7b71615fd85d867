#pragma once
// The command line read into one record, every value checked before anything
// is sent: a mistake here leaves the network untouched.

#include <cstdint>
#include <string>
#include <vector>

namespace varnel::cli {

enum class BoardChoice { Modem, Sl1, Sl2, Sl3, Ap1, Ap2, Power };

struct CliOptions {
  std::string command;  // empty with --help for the whole tool
  bool help = false;
  bool json = false;
  std::string peer;  // normalised dotted IPv4
  std::uint16_t port = 12347;
  int timeoutMs = 5000;
  int autofind = 32;
  int intervalMs = 1000;
  std::string device;
  BoardChoice board = BoardChoice::Modem;
  std::string out;
  int batchCode = 5;
  std::string firmwareFile;
  bool fpga = false;  // --fpga rather than --mcu
};

struct ParsedCli {
  CliOptions options;
  std::string error;  // one line; empty when the command line is sound
};

// args without the program name.
ParsedCli ParseCli(const std::vector<std::string>& args);

// The board's slot in the block (1..10) and its name on the command line.
int BoardSlot(BoardChoice board);
const char* BoardName(BoardChoice board);

// A modem firmware file may hold at most this many bytes.
constexpr long long kMaxFirmwareBytes = 2097151;
// Empty when the file can be read and fits; else the reason.
std::string CheckFirmwareFile(const std::string& path);

}  // namespace varnel::cli
