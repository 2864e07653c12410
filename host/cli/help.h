// The help and version texts of `vexal`.

#ifndef VEXAL_HOST_CLI_HELP_H_
#define VEXAL_HOST_CLI_HELP_H_

#include "cli/command_line.h"

namespace vexal::cli {

// The help of a subcommand, or with Command::kNone the overview.
const char* helpText(Command command);
// "vexal 1.0".
const char* versionText();

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_HELP_H_
