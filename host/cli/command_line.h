// The command line of `vexal`: subcommand, options and operands, and the
// help that is generated from their declarations.

#ifndef VEXAL_HOST_CLI_COMMAND_LINE_H_
#define VEXAL_HOST_CLI_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/terminal.h"
#include "core/check_options.h"

namespace vexal::cli {

enum class Command { kNone, kCheck, kLayout, kCall, kTypes, kExplain, kParams };
enum class Format { kText, kJsonl, kCsv, kJson, kHtml, kJunit };

// The most workers `vexal check --jobs` takes.
inline constexpr int kMaxJobs = 256;

// Everything the command line asks for. Texts meant for the library
// (parameter names and values, function names) are in Windows-1252; file
// names and the library path stay as given.
struct CommandLine {
  Command command = Command::kNone;
  bool help = false;
  bool version = false;
  std::string library;  // empty: next to the program
  Format format = Format::kText;
  std::optional<core::Date> today;  // empty: the local date
  // In the order they are set: the default first, then --param, then the
  // NAME=VALUE operands of `call`; a later one wins.
  std::vector<std::pair<std::string, std::string>> params;
  int level = 1;
  bool log = false;
  bool statistics = false;  // check: a table instead of one line per finding
  bool quiet = false;       // check: no progress and no summary on standard error
  int jobs = 0;             // check: workers; 0 for one per core
  ColorMode color = ColorMode::kAuto;
  std::string record_type;         // --type for check; the operand of layout and call
  std::string function;            // call
  bool list = false;               // call: list the callable functions instead
  // explain: an error identifier or a check (P_GTST, F_PruefeGTST), after
  // an optional record type; as given.
  std::vector<std::string> explain;
  std::vector<std::string> files;  // check; "-" is standard input
  int html_limit = 100;            // check --format html: records per error identifier; 0 all
  bool redact = false;             // check --format html: values of fields without findings hidden
};

struct ParseResult {
  CommandLine line;
  std::string error;  // a usage error when not empty, one line
};

// Parses the arguments after the program name (UTF-8). Options take their
// value as "--name VALUE" or "--name=VALUE" ("-j4" too) and may stand
// before or after the subcommand name; "--" ends the options.
ParseResult parseCommandLine(const std::vector<std::string>& arguments);

// The name a subcommand is called by ("check"); "vexal" for none.
const char* commandName(Command command);

// The help of a subcommand, or with Command::kNone the overview.
std::string helpText(Command command);
// "vexal 1.0\n".
const char* versionText();

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_COMMAND_LINE_H_
