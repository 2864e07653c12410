// The subcommands of `vexal`. Each writes its results to out and its
// messages to err and returns the exit status.

#ifndef VEXAL_HOST_CLI_COMMANDS_H_
#define VEXAL_HOST_CLI_COMMANDS_H_

#include <cstdio>

#include "cli/command_line.h"
#include "cli/output.h"
#include "cli/rule_sets.h"
#include "core/check_options.h"
#include "core/library.h"

namespace vexal::cli {

// Exit statuses.
inline constexpr int kExitClean = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitUsage = 2;

// Processing date, init parameters, problem-weight level and forced record
// type from the command line.
core::CheckOptions checkOptions(const CommandLine& line);

int runCheck(const CommandLine& line, const core::Library& library, Output& out, std::FILE* err);
int runLayout(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err);
int runCall(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err);
int runTypes(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_COMMANDS_H_
