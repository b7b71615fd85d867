#include "sim/cli/options.h"

#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

bool TakesValue(const std::string& option) {
  static const std::string kValueOptions[] = {"--address", "--name", "--port", "--id",
                                              "--type", "--scenario", "--pcap"};
  for (const std::string& name : kValueOptions) {
    if (option == name) return true;
  }
  return false;
}

// Stores one value option; false with error set when the value is wrong.
bool ApplyValue(const std::string& option, const std::string& value, Options& options,
                std::string& error) {
  if (option == "--scenario") {
    options.scenario = value;
    return true;
  }
  if (option == "--pcap") {
    options.pcap = value;
    return true;
  }
  if (option != "--port") options.single_block_given = true;
  if (option == "--address") {
    options.address = value;
    return true;
  }
  if (option == "--name") {
    options.block.name = value;
    return true;
  }
  struct Numeric {
    const char* name;
    unsigned low;
    unsigned high;
  };
  static constexpr Numeric kNumeric[] = {
      {"--port", 1, 65535}, {"--id", 1, 15}, {"--type", 0, 255}};
  for (const Numeric& numeric : kNumeric) {
    if (option != numeric.name) continue;
    const std::optional<unsigned> number = ParseNumber(value, numeric.low, numeric.high);
    if (!number) {
      error = option + " needs a number in " + std::to_string(numeric.low) + ".." +
              std::to_string(numeric.high) + ", got \"" + value + "\"";
      return false;
    }
    if (option == "--port") options.port = static_cast<std::uint16_t>(*number);
    if (option == "--id") options.block.id = static_cast<std::uint8_t>(*number);
    if (option == "--type") options.block.type = static_cast<std::uint8_t>(*number);
    return true;
  }
  error = "unknown option " + option;
  return false;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      parsed.options.help = true;
    } else if (option == "--quiet" || option == "-q") {
      parsed.options.quiet = true;
    } else if (!TakesValue(option)) {
      parsed.error = "unknown option " + option;
    } else if (i + 1 >= args.size()) {
      parsed.error = option + " needs a value";
    } else {
      ApplyValue(option, args[++i], parsed.options, parsed.error);
    }
    if (!parsed.error.empty()) return parsed;
  }
  if (!parsed.options.scenario.empty() && parsed.options.single_block_given) {
    parsed.error =
        "--scenario describes the blocks itself; --address, --id, --name and --type "
        "do not go with it";
  }
  return parsed;
}

std::string UsageText(std::string_view program) {
  return "Usage: " + std::string(program) +
         " [options]\n"
         "Emulates blocks reached over Ethernet; answers on UDP until SIGINT/SIGTERM.\n"
         "  --scenario F  serve every root block of the scenario file F (INI, UTF-8)\n"
         "                and the devices behind them; replaces the four options below\n"
         "  --address A   IPv4 address of a lone block (default 127.0.0.1)\n"
         "  --id N        block ID 1..15 (default 1)\n"
         "  --name TEXT   block name, UTF-8, sent in Windows-1251 (default \"Блок 1\")\n"
         "  --type N      block type byte 0..255 (default 1)\n"
         "  --port P      UDP port of every block (default 12348)\n"
         "  --quiet, -q   do not print the datagrams\n"
         "  --pcap FILE   also write every datagram received and sent to FILE\n"
         "                (pcap, raw IPv4), for packet analysers\n"
         "  --help, -h    show this text\n";
}

}  // namespace varnel::sim
