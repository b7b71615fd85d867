#pragma once
// Command-line options of the emulator program.

#include <string>
#include <string_view>
#include <vector>

#include "sim/block/block.h"
#include "sim/fault/fault_settings.h"

namespace varnel::sim {

struct Options {
  std::string scenario;  // a scenario file; empty: one block from the options below
  bool single_block_given = false;  // --address, --id, --name or --type was used
  std::string address = "127.0.0.1";
  std::uint16_t port = 12348;
  BlockConfig block;
  FaultKeys faults;    // over the scenario's [sim] keys; a root's or device's own win
  std::optional<std::uint32_t> seed;  // over the scenario's
  bool quiet = false;  // no per-datagram lines
  std::string pcap;    // a capture file of all traffic; empty: none
  bool help = false;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the arguments were understood
};

// args without the program name. Block fields are range-checked here;
// whether the name fits Windows-1251 is left to Block::Create.
ParsedOptions ParseOptions(const std::vector<std::string>& args);
std::string UsageText(std::string_view program);

}  // namespace varnel::sim
