// varnel-cli: the program's core on the command line.
#include "cli/run/run_cli.h"

int main(int argc, char** argv) { return varnel::cli::RunCli(argc, argv); }
