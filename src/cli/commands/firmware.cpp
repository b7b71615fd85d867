#include "cli/commands/commands.h"

namespace varnel::cli {

// The options and the file were checked while parsing. The transfer session
// joins this command later; until then nothing is sent.
Outcome RunFirmware(const CliOptions& options) {
  return Failed(kExitNotBuilt, std::string("writing modem firmware is not built yet: ") +
                                   (options.fpga ? "--fpga " : "--mcu ") + options.firmwareFile +
                                   " was checked, nothing was sent");
}

}  // namespace varnel::cli
