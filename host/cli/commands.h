// The subcommands of `vexal`. Each writes its results to out and its
// messages to err and returns the exit status.

#ifndef VEXAL_HOST_CLI_COMMANDS_H_
#define VEXAL_HOST_CLI_COMMANDS_H_

#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/output.h"
#include "core/check_options.h"
#include "core/layout_view.h"
#include "core/library.h"
#include "core/rule_sets.h"
#include "pl/value.h"

namespace vexal::cli {

// Exit statuses.
inline constexpr int kExitClean = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitUsage = 2;

// Processing date, init parameters, problem-weight level and forced record
// type from the command line.
core::CheckOptions checkOptions(const CommandLine& line);

int runCheck(const CommandLine& line, const core::Library& library, Output& out, std::FILE* err);
int runLayout(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
              std::FILE* err);
int runCall(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out, std::FILE* err);
int runTypes(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
             std::FILE* err);
int runExplain(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
               std::FILE* err);
// Needs no library: the init parameters are the host's.
int runParams(const CommandLine& line, Output& out);

// A record layout as `vexal layout` shows it: text lines, or one JSON
// object; both UTF-8 and ending in LF.
std::string layoutText(const char* record_type, const core::LayoutView& view);
std::string layoutJson(const char* record_type, const core::LayoutView& view);

// How `vexal call` shows a value of the rule language: "string",
// "number", "bool", "date", "invalid", "interval_range", "sequence_range"
// or "range_series".
const char* valueKindName(const pl::Value& value);
// The value for a text line, Latin-1: a string's bytes, a number's plain
// decimals, true/false, JJJJMMTT, "(invalid)", or the kind in parentheses
// for ranges.
std::string valueText(const pl::Value& value);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_COMMANDS_H_
