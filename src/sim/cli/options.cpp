#include "sim/cli/options.h"

#include "sim/scenario/fault_keys.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

bool TakesValue(const std::string& option) {
  static const std::string kValueOptions[] = {
      "--address", "--name",    "--port",     "--id",       "--type",  "--scenario", "--pcap", "--drop",
      "--duplicate", "--reorder", "--corrupt", "--truncate", "--delay", "--jitter",   "--seed"};
  for (const std::string& name : kValueOptions) {
    if (option == name) return true;
  }
  return false;
}

struct Numeric {
  const char* name;
  unsigned low;
  unsigned high;
};

std::optional<unsigned> NumberOf(const std::string& option, const std::string& value,
                                 const Numeric& numeric, std::string& error) {
  const std::optional<unsigned> number = ParseNumber(value, numeric.low, numeric.high);
  if (!number) {
    error = option + " needs a number in " + std::to_string(numeric.low) + ".." +
            std::to_string(numeric.high) + ", got \"" + value + "\"";
  }
  return number;
}

// The fault options; false when option is none of them.
bool ApplyFault(const std::string& option, const std::string& value, Options& options,
                std::string& error) {
  using std::chrono::milliseconds;
  FaultKeys& f = options.faults;
  struct Percent {
    const char* name;
    std::optional<unsigned> FaultKeys::*key;
  };
  static constexpr Percent kPercents[] = {{"--drop", &FaultKeys::drop},
                                          {"--duplicate", &FaultKeys::duplicate},
                                          {"--reorder", &FaultKeys::reorder},
                                          {"--corrupt", &FaultKeys::corrupt},
                                          {"--truncate", &FaultKeys::truncate}};
  for (const Percent& p : kPercents) {
    if (option == p.name) {
      f.*p.key = NumberOf(option, value, {p.name, 0, 100}, error);
      return true;
    }
  }
  if (option == "--delay" || option == "--jitter") {
    const std::optional<unsigned> ms = NumberOf(option, value, {"", 0, kMaxFaultDelayMs}, error);
    if (ms) (option == "--delay" ? f.delay : f.jitter) = milliseconds(*ms);
    return true;
  }
  if (option == "--seed") {
    options.seed = NumberOf(option, value, {"", 0, 0xFFFFFFFFu}, error);
    return true;
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
  if (ApplyFault(option, value, options, error)) return error.empty();
  if (option != "--port") options.single_block_given = true;
  if (option == "--address") {
    options.address = value;
    return true;
  }
  if (option == "--name") {
    options.block.name = value;
    return true;
  }
  static constexpr Numeric kNumeric[] = {
      {"--port", 1, 65535}, {"--id", 1, 15}, {"--type", 0, 255}};
  for (const Numeric& numeric : kNumeric) {
    if (option != numeric.name) continue;
    const std::optional<unsigned> number = NumberOf(option, value, numeric, error);
    if (!number) return false;
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
         "Faults of the HF links, for every device unless a scenario section sets its own\n"
         "(percent of answers 0..100; milliseconds 0..60000):\n"
         "  --drop P, --duplicate P, --reorder P (held back behind the next answer),\n"
         "  --corrupt P (wrong checksum), --truncate P (cut short),\n"
         "  --delay MS (every answer), --jitter MS (up to this much more at random)\n"
         "  --seed N      start of the fault decisions, to repeat a run (default: new\n"
         "                each run, printed at the start)\n"
         "  --quiet, -q   do not print the datagrams\n"
         "  --pcap FILE   also write every datagram received and sent to FILE\n"
         "                (pcap, raw IPv4), for packet analysers\n"
         "  --help, -h    show this text\n";
}

}  // namespace varnel::sim
