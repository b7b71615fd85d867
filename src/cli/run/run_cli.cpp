#include "cli/run/run_cli.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>

#include "cli/commands/commands.h"
#include "cli/options/help_table.h"

namespace varnel::cli {

void PrintResult(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

namespace {

int Report(const Outcome& outcome) {
  if (outcome.status != kExitOk) std::cerr << "varnel-cli: " << outcome.error << std::endl;
  return outcome.status;
}

Outcome RunOnNetwork(const CliOptions& o) {
  Session session(o);
  if (std::string error = session.Start(); !error.empty()) return Failed(kExitLocalFailure, error);
  Progress progress;
  if (o.command == "discover") return RunDiscover(session, progress);
  if (o.command == "read") return RunRead(session, progress);
  if (o.command == "firmware") return RunFirmware(session, progress);
  return RunLog(session, progress);
}

}  // namespace

int RunCli(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedCli parsed = ParseCli(args);
  const CliOptions& o = parsed.options;
  if (!parsed.error.empty()) return Report(Failed(kExitBadInput, parsed.error));
  if (o.help) {
    const CommandHelp* command = FindCommand(o.command);
    PrintResult(command ? CommandHelpText(*command) : ToolHelpText());
    return kExitOk;
  }
  QCoreApplication app(argc, argv);
  return Report(RunOnNetwork(o));
}

}  // namespace varnel::cli
