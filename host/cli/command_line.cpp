#include "cli/command_line.h"

#include <charconv>

#include "cli/encoding.h"
#include "cli/record_type.h"

namespace vexal::cli {
namespace {

// Which subcommands accept an option.
enum Allowed : unsigned {
  kInCheck = 1,
  kInLayout = 2,
  kInCall = 4,
  kInTypes = 8,
  kEverywhere = 15,
};

struct KnownOption {
  const char* name;
  bool takes_value;
  unsigned allowed;
};

constexpr KnownOption kOptions[] = {
    {"--help", false, kEverywhere},
    {"--version", false, kEverywhere},
    {"--library", true, kEverywhere},
    {"--format", true, kEverywhere},
    {"--today", true, kInCheck | kInCall},
    {"--param", true, kInCheck | kInCall},
    {"--level", true, kInCheck},
    {"--log", false, kInCheck | kInCall},
    {"--type", true, kInCheck},
    {"--statistics", false, kInCheck},
    {"--quiet", false, kInCheck},
    {"--color", true, kInCheck},
    {"--jobs", true, kInCheck},
};

unsigned bitOf(Command command) {
  switch (command) {
    case Command::kCheck:
      return kInCheck;
    case Command::kLayout:
      return kInLayout;
    case Command::kCall:
      return kInCall;
    case Command::kTypes:
      return kInTypes;
    case Command::kNone:
      break;
  }
  return kEverywhere;
}

std::optional<Command> commandOf(std::string_view word) {
  if (word == "check") return Command::kCheck;
  if (word == "layout") return Command::kLayout;
  if (word == "call") return Command::kCall;
  if (word == "types") return Command::kTypes;
  return std::nullopt;
}

const KnownOption* findOption(std::string_view name) {
  if (name == "-h") name = "--help";
  if (name == "-q") name = "--quiet";
  if (name == "-j") name = "--jobs";
  for (const KnownOption& option : kOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

// NAME=VALUE with a non-empty name, converted for the library.
bool splitParameter(std::string_view text, std::pair<std::string, std::string>& out) {
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return false;
  out = {argumentTo1252(text.substr(0, equals)), argumentTo1252(text.substr(equals + 1))};
  return true;
}

struct Given {
  const KnownOption* known;
  std::string value;
};

// Applies one option to the line; returns a usage error or "".
std::string apply(const Given& option, CommandLine& line) {
  std::string_view name = option.known->name;
  const std::string& value = option.value;
  if (name == "--help") {
    line.help = true;
  } else if (name == "--version") {
    line.version = true;
  } else if (name == "--library") {
    if (value.empty()) return "--library needs a path";
    line.library = value;
  } else if (name == "--format") {
    const bool machine_lines = line.command == Command::kCheck;
    if (value == "text") {
      line.format = Format::kText;
    } else if (machine_lines && value == "jsonl") {
      line.format = Format::kJsonl;
    } else if (machine_lines && value == "csv") {
      line.format = Format::kCsv;
    } else if (value == "json") {
      line.format = Format::kJson;
    } else {
      return "unknown --format '" + value + "' for " + commandName(line.command) + " (use " +
             (machine_lines ? "text, jsonl, csv or, with --statistics, json" : "text or json") +
             ")";
    }
  } else if (name == "--today") {
    line.today = parseDate(value);
    if (!line.today) return "--today wants a date JJJJMMTT, e.g. 20261208, not '" + value + "'";
  } else if (name == "--param") {
    std::pair<std::string, std::string> parameter;
    if (!splitParameter(value, parameter)) return "--param wants NAME=VALUE, not '" + value + "'";
    line.params.push_back(std::move(parameter));
  } else if (name == "--level") {
    int level = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), level);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || level < 0) {
      return "--level wants a number 0 or greater, not '" + value + "'";
    }
    line.level = level;
  } else if (name == "--jobs") {
    int jobs = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || jobs < 1 ||
        jobs > kMaxJobs) {
      return "--jobs wants a number from 1 to " + std::to_string(kMaxJobs) + ", not '" + value +
             "'";
    }
    line.jobs = jobs;
  } else if (name == "--log") {
    line.log = true;
  } else if (name == "--statistics") {
    line.statistics = true;
  } else if (name == "--quiet") {
    line.quiet = true;
  } else if (name == "--color") {
    if (value == "auto") {
      line.color = ColorMode::kAuto;
    } else if (value == "always") {
      line.color = ColorMode::kAlways;
    } else if (value == "never") {
      line.color = ColorMode::kNever;
    } else {
      return "--color wants auto, always or never, not '" + value + "'";
    }
  } else if (name == "--type") {
    if (!isRecordType(value)) {
      return "unknown record type '" + value + "' (use DSAS_01, DSAS_02, DSKO_04, DSLN_01 or " +
             "DSLN_02)";
    }
    line.record_type = value;
  }
  return {};
}

// Takes the operands of the subcommand; returns a usage error or "".
std::string takeOperands(const std::vector<std::string>& operands, CommandLine& line) {
  switch (line.command) {
    case Command::kCheck:
      if (operands.empty()) return "check needs at least one FILE (- for standard input)";
      line.files = operands;
      return {};
    case Command::kLayout:
    case Command::kCall: {
      const bool call = line.command == Command::kCall;
      if (operands.empty()) return std::string(commandName(line.command)) + " needs a record type";
      if (!isRecordType(operands[0])) return "unknown record type '" + operands[0] + "'";
      line.record_type = operands[0];
      if (!call) {
        if (operands.size() > 1) return "layout takes one record type, not '" + operands[1] + "'";
        return {};
      }
      if (operands.size() < 2) return "call needs a FUNCTION after the record type";
      line.function = argumentTo1252(operands[1]);
      for (std::size_t i = 2; i < operands.size(); ++i) {
        std::pair<std::string, std::string> parameter;
        if (!splitParameter(operands[i], parameter)) {
          return "call wants parameters as NAME=VALUE, not '" + operands[i] + "'";
        }
        line.params.push_back(std::move(parameter));
      }
      return {};
    }
    case Command::kTypes:
      if (!operands.empty()) return "types takes no operands, not '" + operands[0] + "'";
      return {};
    case Command::kNone:
      break;
  }
  return {};
}

}  // namespace

const char* commandName(Command command) {
  switch (command) {
    case Command::kCheck:
      return "check";
    case Command::kLayout:
      return "layout";
    case Command::kCall:
      return "call";
    case Command::kTypes:
      return "types";
    case Command::kNone:
      break;
  }
  return "vexal";
}

ParseResult parseCommandLine(const std::vector<std::string>& arguments) {
  ParseResult result;
  CommandLine& line = result.line;
  line.params.emplace_back(kLeapDayParameter, kLeapDayDefault);
  std::vector<Given> options;
  std::vector<std::string> operands;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool is_option = !options_ended && argument.size() > 1 && argument[0] == '-';
    if (!is_option) {
      if (line.command == Command::kNone) {
        std::optional<Command> command = commandOf(argument);
        if (!command) {
          result.error = "unknown subcommand '" + argument + "' (use check, layout, call or types)";
          return result;
        }
        line.command = *command;
      } else {
        operands.push_back(argument);
      }
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    std::size_t equals = argument.find('=');
    // "-j4" is "-j 4", as make takes it.
    if (argument.size() > 2 && argument.compare(0, 2, "-j") == 0 && equals == std::string::npos) {
      options.push_back(Given{findOption("-j"), argument.substr(2)});
      continue;
    }
    std::string name = argument.substr(0, equals);
    const KnownOption* known = findOption(name);
    if (known == nullptr) {
      result.error = "unknown option '" + name + "'";
      return result;
    }
    Given given{known, {}};
    if (known->takes_value) {
      if (equals != std::string::npos) {
        given.value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        given.value = arguments[++i];
      } else {
        result.error = name + " needs a value";
        return result;
      }
    } else if (equals != std::string::npos) {
      result.error = name + " takes no value";
      return result;
    }
    options.push_back(std::move(given));
  }

  // Options are checked once the subcommand is known, wherever they stood.
  for (const Given& option : options) {
    if ((option.known->allowed & bitOf(line.command)) == 0) {
      result.error =
          std::string(option.known->name) + " does not apply to " + commandName(line.command);
      return result;
    }
    if (option.known->name == std::string_view("--format") && line.command == Command::kNone) {
      result.error = "--format applies to a subcommand";
      return result;
    }
    result.error = apply(option, line);
    if (!result.error.empty()) return result;
  }
  if (line.help || line.version) return result;
  if (line.command == Command::kCheck) {
    if (line.statistics && (line.format == Format::kJsonl || line.format == Format::kCsv)) {
      result.error = "--statistics prints a table: use --format text or json";
      return result;
    }
    if (!line.statistics && line.format == Format::kJson) {
      result.error = "--format json for check needs --statistics (findings one by one: jsonl)";
      return result;
    }
  }
  if (line.command == Command::kNone) {
    result.error = "no subcommand given (use check, layout, call or types)";
    return result;
  }
  result.error = takeOperands(operands, line);
  return result;
}

}  // namespace vexal::cli
