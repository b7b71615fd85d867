#pragma once
// The whole tool behind main: arguments in, exit status out.

namespace varnel::cli {

int RunCli(int argc, char** argv);

}  // namespace varnel::cli
