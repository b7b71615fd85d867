#pragma once
// Every command and option with its help text, in one table: --help prints
// from it and the manual page is generated from it at build time.

#include <string>
#include <string_view>
#include <vector>

namespace varnel::cli {

struct OptionHelp {
  std::string_view name;  // "--peer"
  std::string_view value;  // "IP"; empty for a switch
  std::string_view text;
};

struct CommandHelp {
  std::string_view name;      // "discover"
  std::string_view synopsis;  // the command's own arguments
  std::string_view summary;   // one line
  std::string_view details;   // a paragraph
  std::vector<OptionHelp> options;  // the command's own, then the common ones
};

const std::vector<CommandHelp>& Commands();
const CommandHelp* FindCommand(std::string_view name);
// Options with the same name in every command that talks to a block.
const std::vector<OptionHelp>& CommonOptions();
const OptionHelp* FindOption(const CommandHelp& command, std::string_view name);

struct ExitStatusHelp {
  int status;
  std::string_view text;
};
const std::vector<ExitStatusHelp>& ExitStatusTable();

// What --help prints: the whole tool, or one command.
std::string ToolHelpText();
std::string CommandHelpText(const CommandHelp& command);

}  // namespace varnel::cli
