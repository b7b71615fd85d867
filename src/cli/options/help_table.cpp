#include "cli/options/help_table.h"

#include "cli/options/exit_status.h"

namespace varnel::cli {

namespace {

constexpr OptionHelp kDevice{"--device", "PATH",
                             "The device: its names from the top of the device tree down, separated by '/' "
                             "(\"Root/Child\"), or its ID Route as \".1.1.0.2\"."};

std::string OptionLine(const OptionHelp& o) {
  std::string head = "  " + std::string(o.name) + (o.value.empty() ? "" : " " + std::string(o.value));
  if (head.size() < 22) head.resize(22, ' ');
  else head += "\n" + std::string(22, ' ');
  return head + std::string(o.text) + "\n";
}

}  // namespace

const std::vector<OptionHelp>& CommonOptions() {
  static const std::vector<OptionHelp> options{
      {"--peer", "IP", "IPv4 address of the root block to talk to (required)."},
      {"--port", "N", "First local UDP port to bind; this one or one of the three after it (default 12347)."},
      {"--timeout", "S", "Seconds to wait for an answer before giving up, and for late answers after the last "
       "exploration probe (default 5; 0.1 .. 3600)."},
      {"--autofind", "N", "Side probes exploration may send, 0 .. 255 (default 32)."},
      {"--interval", "MS", "Milliseconds between two exploration probes, 10 .. 10000 (default 1000)."},
      {"--json", "", "Print the result as JSON on standard output."},
      {"--help", "", "Print this help and exit."},
  };
  return options;
}

const std::vector<CommandHelp>& Commands() {
  static const std::vector<CommandHelp> commands{
      {"discover", "--peer IP [--autofind N]", "explore the network and print the device tree",
       "Broadcasts an identity request to the root block, then probes every side of every device found, one "
       "probe per interval, up to the --autofind limit, and prints the tree of devices with their IDs and Routes.",
       {}},
      {"read", "--peer IP --device PATH --board BOARD", "print the state of one board of a device",
       "Explores the network until the device is found, reads the board and prints what it reported: the modem "
       "board's versions and channel state, a termination board's identification and subchannel state, an "
       "amplifier's parameters, or the power board's answer.",
       {kDevice,
        {"--board", "BOARD", "modem, sl1, sl2, sl3 (termination boards), ap1, ap2 (amplifiers) or power."}}},
      {"log", "--peer IP --device PATH --out FILE", "read the whole event log of a modem board into a file",
       "Opens the modem board's event log, reads every entry batch by batch and writes the program's export "
       "file (Windows-1251, one tab-separated line per entry), whole or not at all.",
       {kDevice,
        {"--out", "FILE", "The export file to write; replaced when it exists."},
        {"--batch", "N", "Entries per request as a power of two, 0 .. 7 (default 5: 32 entries)."}}},
      {"firmware", "--peer IP --device PATH (--mcu FILE | --fpga FILE)", "write modem board firmware",
       "Checks the firmware file (readable, at most 2097151 bytes) before anything is sent, explores the network "
       "until the device is found and sends the file to its modem board in 256-byte blocks, each acknowledged "
       "before the next. A block not acknowledged is sent again; the command gives up when nothing was "
       "acknowledged for the board's own repeat time plus --timeout (the first block may take up to 72 s more).",
       {kDevice,
        {"--mcu", "FILE", "Microcontroller firmware file."},
        {"--fpga", "FILE", "FPGA configuration file."}}},
  };
  return commands;
}

const CommandHelp* FindCommand(std::string_view name) {
  for (const CommandHelp& c : Commands()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

const OptionHelp* FindOption(const CommandHelp& command, std::string_view name) {
  for (const OptionHelp& o : command.options) {
    if (o.name == name) return &o;
  }
  for (const OptionHelp& o : CommonOptions()) {
    if (o.name == name) return &o;
  }
  return nullptr;
}

const std::vector<ExitStatusHelp>& ExitStatusTable() {
  static const std::vector<ExitStatusHelp> table{
      {kExitOk, "Success."},
      {kExitLocalFailure, "A local failure: no free UDP port, the output file could not be written."},
      {kExitBadInput, "Bad input: an unknown or contradicting option, a bad value or file, a device path that "
                      "names no device. Nothing was sent for a bad option or file."},
      {kExitNoAnswer, "No answer: the peer or the board did not answer within the timeout."},
      {kExitDeviceError, "The device reported an error or sent an answer that could not be read."},
  };
  return table;
}

std::string ToolHelpText() {
  std::string text = "Usage: varnel-cli COMMAND [OPTIONS]\n\nCommands:\n";
  for (const CommandHelp& c : Commands()) {
    std::string name = "  " + std::string(c.name);
    name.resize(14, ' ');
    text += name + std::string(c.summary) + "\n";
  }
  text += "\nRun 'varnel-cli COMMAND --help' for a command's options.\n\nExit status:\n";
  for (const ExitStatusHelp& e : ExitStatusTable()) {
    text += "  " + std::to_string(e.status) + "  " + std::string(e.text) + "\n";
  }
  return text;
}

std::string CommandHelpText(const CommandHelp& command) {
  std::string text = "Usage: varnel-cli " + std::string(command.name) + " " + std::string(command.synopsis) +
                     " [OPTIONS]\n\n" + std::string(command.details) + "\n\nOptions:\n";
  for (const OptionHelp& o : command.options) text += OptionLine(o);
  for (const OptionHelp& o : CommonOptions()) text += OptionLine(o);
  return text;
}

}  // namespace varnel::cli
