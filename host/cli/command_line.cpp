#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <array>
#include <charconv>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <sstream>

#include "core/encoding.h"
#include "core/record_type.h"

#ifndef VEXAL_VERSION
#define VEXAL_VERSION "0"
#endif

namespace vexal::cli {
namespace {

constexpr std::array<Command, 6> kCommands = {Command::kCheck, Command::kLayout,  Command::kCall,
                                              Command::kTypes, Command::kExplain, Command::kParams};
constexpr char kCommandChoices[] = "check, layout, call, types, explain or params";

// A usage error in the words of `vexal`. The checks of values throw it
// rather than return their message, which CLI11 would print after "NAME: ";
// it is no CLI::ValidationError, which CLI11 catches and words anew.
class UsageError : public CLI::ParseError {
 public:
  explicit UsageError(const std::string& message)
      : CLI::ParseError(message, CLI::ExitCodes::ValidationError) {}
};

std::string join(const std::vector<std::string>& words, const char* last_separator,
                 const char* separator = ", ") {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? last_separator : separator;
    text += words[i];
  }
  return text;
}

const std::vector<std::string>& recordTypes() {
  static const std::vector<std::string> types(core::kRecordTypes.begin(), core::kRecordTypes.end());
  return types;
}

// A check of an option's or operand's value: problem says what is wrong
// with a value, "" when nothing is.
CLI::Validator valueCheck(std::function<std::string(const std::string&)> problem) {
  return CLI::Validator(
      [problem = std::move(problem)](std::string& value) {
        std::string message = problem(value);
        if (!message.empty()) throw UsageError(message);
        return std::string();
      },
      "");
}

// A whole number from least to most, digits only.
std::optional<int> numberIn(const std::string& text, int least, int most) {
  int number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < least ||
      number > most) {
    return std::nullopt;
  }
  return number;
}

// NAME=VALUE with a non-empty name, converted for the library.
std::optional<std::pair<std::string, std::string>> parameterOf(std::string_view text) {
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  return std::pair{core::argumentTo1252(text.substr(0, equals)),
                   core::argumentTo1252(text.substr(equals + 1))};
}

CLI::Validator recordTypeCheck() {
  return valueCheck([](const std::string& value) -> std::string {
    if (core::isRecordType(value)) return {};
    return "unknown record type '" + value + "' (use " + join(recordTypes(), " or ") + ")";
  });
}

// The help: "--jobs, -j N" instead of CLI11's "-j,--jobs N", the usage line
// first, and for `vexal` itself the usage of every subcommand.
class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter() {
    column_width(22);
    label("Positionals", "Operands");
  }

  std::string make_option_name(const CLI::Option* option, bool positional) const override {
    if (positional) return option->get_name(true, false);
    std::vector<std::string> names;
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
    return join(names, ", ");
  }

  // An operand is its name alone ("FILE..."): its description says the rest.
  std::string make_option_opts(const CLI::Option* option) const override {
    if (option->get_positional()) {
      return option->get_expected_max() >= CLI::detail::expected_max_vector_size ? "..." : "";
    }
    return CLI::Formatter::make_option_opts(option);
  }

  // explain's operand: an identifier, after an optional record type.
  std::string make_option_usage(const CLI::Option* option) const override {
    if (option->get_expected_min() == 1 && option->get_expected_max() == 2) {
      return "[R] " + option->get_name(true, false);
    }
    return CLI::Formatter::make_option_usage(option);
  }

  std::string make_usage(const CLI::App* app, std::string name) const override {
    std::string usage = name + " [options]";
    for (const CLI::Option* operand :
         app->get_options([](const CLI::Option* option) { return option->get_positional(); })) {
      usage += " " + make_option_usage(operand);
    }
    return usage;
  }

  std::string make_subcommand(const CLI::App* command) const override {
    std::stringstream out;
    CLI::detail::format_help(out, make_usage(command, "vexal " + command->get_name()),
                             command->get_description(), 36);
    return out.str();
  }

  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override {
    std::stringstream out;
    if (app->get_parent() == nullptr) {
      out << app->get_description() << "\n" << make_subcommands(app, mode);
      CLI::detail::format_help(out, "vexal [SUBCOMMAND] --help", "help of vexal or of a subcommand",
                               36);
      CLI::detail::format_help(out, "vexal --version", "version of this program", 36);
    } else {
      out << make_usage(app, name) << "\n\n" << app->get_description() << "\n";
      out << make_positionals(app) << make_groups(app, mode);
    }
    out << "\n" << make_footer(app);
    return out.str();
  }
};

// The help after the options.
constexpr char kOverviewFooter[] =
    R"(Options may stand before or after the subcommand name. Every subcommand
takes --library PATH (the libvexal to load; default: libvexal.so, on Windows
vexal.dll, in the folder of this program), --help and --version; see
vexal SUBCOMMAND --help for the others.

Exit status: 0 no findings, 1 findings or lines that could not be checked
(call: the function raised an exception), 2 usage or input/output errors.

Examples:
  vexal check --today 20261208 transmission.txt
  vexal check --format jsonl - < transmission.txt
  vexal layout DSKO_04
  vexal explain DSLN280
  vexal call DSKO_04 F_Trim Zeichenkette="  ab ")";

constexpr char kCheckFooter[] =
    R"(Every line of the files is one record, checked in order. Lines are Latin-1
(Windows-1252) bytes ending in LF or CR LF; a last line without line end
counts, empty lines are skipped (but counted in line numbers). The record
type of a line comes from its characters 1-4: DSKO is DSKO_04; DSAS and DSLN
take the version "01" or "02" from characters 40-41. A line whose type
cannot be told, or whose rule set the library cannot give, is reported as an
error and checking goes on.

Formats (all UTF-8):
  text   one line per finding, warning and error:
           FILE:LINE: R CHECK: TEXT
         and a summary on standard error
  jsonl  one JSON object per line: "finding" objects, then one "record"
         object per checked line; "warning" before a record's findings
         when its length differs from its layout; "error" for a line that
         could not be checked or a file that could not be read;
         "file_warning" for a file that is empty, not Latin-1 or with
         lines that end with a CR alone; a last
         "summary" object with the counts of the run
  csv    RFC 4180 with a header row: kind first, then every jsonl key
  html   one self-contained page: summary, statistics, each faulty
         record field by field with its faulty characters marked
         (--html-limit, --redact)
  junit  JUnit XML: a testsuite per file and record type, a testcase
         per record, a failure per finding, an error per line error
  json   with --statistics only: one document with the counts and the table

A file that starts with a UTF-16 or UTF-8 byte-order mark, or whose lines
hold UTF-8 characters, gets a warning naming the first such line; its
bytes are checked as they are. On a terminal, a run longer than a second
shows its progress on standard error.

Exit status: 0 no findings, 1 findings or line errors, 2 usage or I/O
errors (other files are still checked); 2 wins over 1.

Examples:
  vexal check --today 20261208 transmission.txt
  vexal check --format jsonl --param ipMjahrSchalttag=1130 a.txt b.txt
  vexal check --type DSKO_04 --level 2 - < records.txt
  vexal check -j 2 --format jsonl big.txt > findings.jsonl
  vexal check --format html transmission.txt > report.html)";

constexpr char kLayoutFooter[] =
    R"(Per field: its position (1-based; inside a group counted from the start of
the occurrence, after a group of variable size counted from its end, shown
as GROUP+N), length, model type, short name and display name (from the rule
set); per group how often it occurs (counter field or condition). json
gives the same as one document.

Example:
  vexal layout --format json DSKO_04)";

constexpr char kCallFooter[] =
    R"(The function takes its arguments from init parameters: NAME=VALUE after
the function name sets one, on top of --param (quote it in the shell to keep
blanks). Prints the result: text as it is (no quotes), numbers in plain
decimals, truth values as true or false, dates as JJJJMMTT, the invalid
value as (invalid); json gives one object with the kind and the exact text
of the result. An exception of the function is printed on standard error
and the exit status is 1.

--list prints the functions of the record type that call takes, each with
the names of the parameters it takes its arguments from.

Examples:
  vexal call DSKO_04 F_Trim Zeichenkette="  ab "     prints: ab
  vexal call DSKO_04 --list)";

constexpr char kTypesFooter[] =
    R"(A record type still to be written comes with a layout of no fields.)";

constexpr char kExplainFooter[] =
    R"(Looks the identifier or check up in the catalogues of every record type
(only in R when given) and prints, per record type that has it: the
message, the check procedure and its rule function, the field (short and
display name, type, length, mask), its characters in the record (for a
field of a group: in each occurrence, the first occurrence and how far
apart they are), and every identifier of the check in the order it tests
them. jsonl gives one object per check found. An identifier no record type
knows is an error that names the nearest known ones.

Examples:
  vexal explain DSLN280
  vexal explain DSLN_01 P_GTST
  vexal explain --format jsonl DSKO054)";

constexpr char kParamsFooter[] =
    R"(Init parameters are set with --param NAME=VALUE for check and call, and
with the options of the C API and the packages; a later value wins.)";

// The declarations of every subcommand, option and operand, bound to a
// line and to what needs converting after the parse.
struct Parser {
  CLI::App app{
      "vexal - checks records of the accident-insurance reporting procedure with the\n"
      "rule sets of libvexal.",
      "vexal"};
  std::array<CLI::App*, kCommands.size()> commands{};
  std::vector<std::string> explain_operands;  // as given
  std::vector<std::string> param_options;     // --param, as given
  std::vector<std::string> param_operands;    // the NAME=VALUE of call, as given
  std::string function;                       // as given

  explicit Parser(CommandLine& line);

  CLI::App* find(Command command) const {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
      if (kCommands[i] == command) return commands[i];
    }
    return nullptr;
  }
  // The one that takes every option, for the options before the subcommand.
  const CLI::App& catalogue() const { return *find(Command::kCheck); }
};

Parser::Parser(CommandLine& line) {
  app.formatter(std::make_shared<HelpFormatter>());
  app.set_help_flag("-h,--help", "this help");
  app.require_subcommand(0, 1);
  // A later value wins, as with --param the later one does.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.footer(std::string("Record types R: ") + join(recordTypes(), " ", " ") + "\n\n" +
             kOverviewFooter);

  CLI::App* check = app.add_subcommand("check", "check record files (- reads standard input)");
  CLI::App* layout = app.add_subcommand("layout", "print the record layout of record type R");
  CLI::App* call = app.add_subcommand("call", "call a rule function of record type R");
  CLI::App* types = app.add_subcommand("types", "list the record types and their state");
  CLI::App* explain =
      app.add_subcommand("explain", "what an error identifier or a check tests, and where");
  CLI::App* params =
      app.add_subcommand("params", "list the init parameters with their meaning and default");
  commands = {check, layout, call, types, explain, params};
  for (CLI::App* command : commands) command->group("Usage");
  check->footer(kCheckFooter);
  layout->footer(kLayoutFooter);
  call->footer(kCallFooter);
  types->footer(kTypesFooter);
  explain->footer(kExplainFooter);
  params->footer(kParamsFooter);
  const auto each = [](std::initializer_list<CLI::App*> some, const auto& declare) {
    for (CLI::App* command : some) declare(command);
  };

  // Operands.
  check->add_option("FILE", line.files, "the files to check; - reads standard input")->required();
  for (CLI::App* command : {layout, call}) {
    command->add_option("R", line.record_type, "the record type")
        ->required()
        ->check(recordTypeCheck());
  }
  call->add_option("FUNCTION", function, "the rule function to call");
  call->add_option("NAME=VALUE", param_operands, "sets the init parameter NAME")
      ->check(valueCheck([](const std::string& value) -> std::string {
        if (parameterOf(value)) return {};
        return "call wants parameters as NAME=VALUE, not '" + value + "'";
      }));
  explain
      ->add_option("IDENTIFIER", explain_operands,
                   "an error identifier (DSLN280) or a check (P_GTST,\n"
                   "F_PruefeGTST), after the record type R to look in\n(default: all)")
      ->required()
      ->expected(1, 2);
  // Left over: the operands layout does not take.
  layout->allow_extras();

  // Options.
  each({check, call}, [&](CLI::App* command) {
    command
        ->add_option_function<std::string>(
            "--today", [&line](const std::string& value) { line.today = core::parseDate(value); },
            "processing date (default: today's local date)")
        ->option_text("JJJJMMTT")
        ->check(valueCheck([](const std::string& value) -> std::string {
          if (core::parseDate(value)) return {};
          return "--today wants a date JJJJMMTT, e.g. 20261208, not '" + value + "'";
        }));
    command
        ->add_option("--param", param_options,
                     std::string("init parameter of the rule set; repeatable,\n"
                                 "a later one wins (default: ") +
                         core::kLeapDayParameter + "=" + core::kLeapDayDefault + ")")
        ->option_text("NAME=VALUE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(valueCheck([](const std::string& value) -> std::string {
          if (parameterOf(value)) return {};
          return "--param wants NAME=VALUE, not '" + value + "'";
        }));
  });
  check
      ->add_option("--level", line.level,
                   "problem-weight level, 0 or greater (default: 1); above\n"
                   "1 the check procedures are skipped, field checks still\nrun")
      ->option_text("N")
      ->check(valueCheck([](const std::string& value) -> std::string {
        if (numberIn(value, 0, std::numeric_limits<int>::max())) return {};
        return "--level wants a number 0 or greater, not '" + value + "'";
      }));
  check
      ->add_option("--type", line.record_type,
                   "check every line as record type R instead of telling\nthe type from the line")
      ->option_text("R")
      ->check(recordTypeCheck());

  // --format: which formats each subcommand writes.
  struct Formats {
    CLI::App* command;
    std::vector<std::pair<std::string, Format>> names;
    const char* description;
    const char* choices;  // in the error
  };
  const Formats formats[] = {
      {check,
       {{"text", Format::kText},
        {"jsonl", Format::kJsonl},
        {"csv", Format::kCsv},
        {"json", Format::kJson},
        {"html", Format::kHtml},
        {"junit", Format::kJunit}},
       "text (default), jsonl, csv, html or junit; json with\n--statistics",
       "text, jsonl, csv, html, junit or, with --statistics, json"},
      {layout,
       {{"text", Format::kText}, {"json", Format::kJson}},
       "text (default) or json",
       "text or json"},
      {call,
       {{"text", Format::kText}, {"json", Format::kJson}},
       "text (default) or json: one object with the kind and\nthe exact text of the result",
       "text or json"},
      {types,
       {{"text", Format::kText}, {"json", Format::kJson}},
       "text (default) or json",
       "text or json"},
      {explain,
       {{"text", Format::kText}, {"jsonl", Format::kJsonl}},
       "text (default) or jsonl: one object per check",
       "text or jsonl"},
      {params,
       {{"text", Format::kText}, {"json", Format::kJson}},
       "text (default) or json",
       "text or json"},
  };
  for (const Formats& f : formats) {
    f.command
        ->add_option_function<std::string>(
            "--format",
            [&line, names = f.names](const std::string& value) {
              for (const auto& [name, format] : names) {
                if (name == value) line.format = format;
              }
            },
            f.description)
        ->option_text("F")
        ->check(valueCheck([names = f.names, choices = std::string(f.choices),
                            command = f.command->get_name()](const std::string& value) {
          for (const auto& entry : names) {
            if (entry.first == value) return std::string();
          }
          return "unknown --format '" + value + "' for " + command + " (use " + choices + ")";
        }));
  }

  check
      ->add_option("--html-limit", line.html_limit,
                   "html: show in full the first N records of each error\n"
                   "identifier, 0 for all (default: 100); counts cover all")
      ->option_text("N")
      ->check(valueCheck([](const std::string& value) -> std::string {
        if (numberIn(value, 0, std::numeric_limits<int>::max())) return {};
        return "--html-limit wants a number 0 or greater, not '" + value + "'";
      }));
  check->add_flag("--redact", line.redact,
                  "html: show the values of fields without findings as a\n"
                  "neutral mark of the same length (names, addresses)");
  check->add_flag("--statistics", line.statistics,
                  "after the check, instead of one line per finding, a\n"
                  "table of how often each error identifier occurs per\n"
                  "record type, most frequent first");
  check
      ->add_option_function<std::string>(
          "--color",
          [&line](const std::string& value) {
            line.color = value == "always"  ? ColorMode::kAlways
                         : value == "never" ? ColorMode::kNever
                                            : ColorMode::kAuto;
          },
          "colour the text format: auto (default: on a terminal,\n"
          "unless NO_COLOR is set and not empty), always or never")
      ->option_text("WHEN")
      ->check(valueCheck([](const std::string& value) -> std::string {
        if (value == "auto" || value == "always" || value == "never") return {};
        return "--color wants auto, always or never, not '" + value + "'";
      }));
  call->add_flag("--list", line.list,
                 "list the callable functions and their parameters\ninstead of calling one");
  check->add_flag("-q,--quiet", line.quiet, "no progress line and no summary on standard error");
  check
      ->add_option("-j,--jobs", line.jobs,
                   "check with N workers in parallel, 1 to " + std::to_string(kMaxJobs) +
                       " (default:\none per core); the output is the same for every N,\n"
                       "-j 1 checks in one thread")
      ->option_text("N")
      ->check(valueCheck([](const std::string& value) -> std::string {
        if (numberIn(value, 1, kMaxJobs)) return {};
        return "--jobs wants a number from 1 to " + std::to_string(kMaxJobs) + ", not '" + value +
               "'";
      }));
  each({check, call}, [&](CLI::App* command) {
    command->add_flag("--log", line.log,
                      "write the runtime's trace and error lines to standard\nerror");
  });
  each({check, layout, call, types, explain}, [&](CLI::App* command) {
    command
        ->add_option("--library", line.library,
                     "the library to load (default: libvexal.so, on\n"
                     "Windows vexal.dll, next to this program)")
        ->option_text("PATH");
  });
  each({&app, check, layout, call, types, explain, params}, [&](CLI::App* command) {
    // Last in the help: taken off where the subcommand inherited it.
    if (command != &app) command->set_help_flag("-h,--help", "this help");
    command->add_flag_callback(
        "--version", [] { throw CLI::CallForVersion(); }, "the version");
  });
}

std::optional<Command> commandOf(std::string_view word) {
  for (Command command : kCommands) {
    if (word == commandName(command)) return command;
  }
  return std::nullopt;
}

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// CLI11 takes options only after the name of their subcommand, where
// `vexal` takes them before it too: moves the subcommand name to the front.
// Then refuses, in the words of `vexal`, options that are unknown, that do
// not apply to the subcommand, that lack their value or get one they do not
// take. Returns a usage error or "".
std::string arrange(const Parser& parser, std::vector<std::string>& arguments, Command& command) {
  std::size_t at = 0;
  bool options_ended = false;
  const CLI::App* known = &parser.catalogue();
  const std::string context = "vexal";
  // Checks the option at arguments[at] and steps over it and its value.
  const auto option = [&](const CLI::App& in, const std::string& where) -> std::string {
    const std::string& argument = arguments[at++];
    const bool is_long = argument.compare(0, 2, "--") == 0;
    std::string name = argument;
    std::string attached;  // "=VALUE" or the rest of "-j4"
    bool has_attached = false;
    if (is_long && argument.find('=') != std::string::npos) {
      name = argument.substr(0, argument.find('='));
      attached = argument.substr(name.size() + 1);
      has_attached = true;
    } else if (!is_long && argument.size() > 2) {
      name = argument.substr(0, 2);
      attached = argument.substr(2);
      has_attached = true;
    }
    while (true) {
      const CLI::Option* found = in.get_option_no_throw(name);
      if (found == nullptr) {
        if (const CLI::Option* elsewhere = known->get_option_no_throw(name)) {
          return elsewhere->get_name() + " does not apply to " + where;
        }
        return "unknown option '" + name + "'";
      }
      if (found->get_items_expected_max() == 0) {  // a flag
        if (!has_attached) return {};
        if (is_long) return name + " takes no value";
        name = "-" + attached.substr(0, 1);  // "-qj4" is "-q -j4"
        attached.erase(0, 1);
        has_attached = !attached.empty();
        continue;
      }
      if (has_attached && !attached.empty()) return {};
      if (has_attached || at == arguments.size()) return name + " needs a value";
      ++at;
      return {};
    }
  };

  // Options before the subcommand name.
  while (at < arguments.size()) {
    if (arguments[at] == "--" && !options_ended) {
      options_ended = true;
      ++at;
    } else if (!options_ended && isOption(arguments[at])) {
      std::string error = option(*known, context);
      if (!error.empty()) return error;
    } else {
      break;
    }
  }
  if (at == arguments.size()) {
    for (const std::string& argument : arguments) {
      if (argument == "--help" || argument == "-h" || argument == "--version") return {};
    }
    return std::string("no subcommand given (use ") + kCommandChoices + ")";
  }
  std::optional<Command> named = commandOf(arguments[at]);
  if (!named) {
    return "unknown subcommand '" + arguments[at] + "' (use " + kCommandChoices + ")";
  }
  command = *named;
  const CLI::App& in = *parser.find(command);

  // Options first, their values with them, then "--" and the operands:
  // CLI11 takes "--" well only before the first operand.
  std::vector<std::string> options = {arguments[at]};
  std::vector<std::string> operands;
  std::vector<std::string> after;  // the arguments but the subcommand name
  for (std::size_t i = 0; i < at; ++i) {
    if (arguments[i] != "--") after.push_back(arguments[i]);
  }
  if (options_ended) after.push_back("--");
  after.insert(after.end(), arguments.begin() + static_cast<long>(at) + 1, arguments.end());
  arguments = std::move(after);
  at = 0;
  options_ended = false;
  while (at < arguments.size()) {
    if (options_ended || !isOption(arguments[at])) {
      operands.push_back(arguments[at++]);
    } else if (arguments[at] == "--") {
      options_ended = true;
      ++at;
    } else {
      const std::size_t start = at;
      std::string error = option(in, commandName(command));
      if (!error.empty()) return error;
      options.insert(options.end(), arguments.begin() + static_cast<long>(start),
                     arguments.begin() + static_cast<long>(at));
    }
  }
  if ((command == Command::kTypes || command == Command::kParams) && !operands.empty()) {
    return std::string(commandName(command)) + " takes no operands, not '" + operands.front() + "'";
  }
  arguments = std::move(options);
  if (!operands.empty()) {
    arguments.push_back("--");
    arguments.insert(arguments.end(), operands.begin(), operands.end());
  }
  return {};
}

// The usage error for an operand CLI11 found missing.
std::string missingOperand(const CommandLine& line) {
  switch (line.command) {
    case Command::kCheck:
      return "check needs at least one FILE (- for standard input)";
    case Command::kCall:
    case Command::kLayout:
      return std::string(commandName(line.command)) + " needs a record type";
    case Command::kExplain:
      return "explain needs an error identifier or a check, e.g. DSLN280 or P_GTST";
    case Command::kTypes:
    case Command::kParams:
    case Command::kNone:
      break;
  }
  return "missing operand";
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
    case Command::kExplain:
      return "explain";
    case Command::kParams:
      return "params";
    case Command::kNone:
      break;
  }
  return "vexal";
}

ParseResult parseCommandLine(const std::vector<std::string>& given) {
  ParseResult result;
  CommandLine& line = result.line;
  Parser parser(line);
  std::vector<std::string> arguments = given;
  result.error = arrange(parser, arguments, line.command);
  if (!result.error.empty()) return result;
  if (line.command == Command::kNone) {
    // Only --help or --version, checked by arrange.
    for (const std::string& argument : arguments) {
      if (argument == "--help" || argument == "-h") line.help = true;
    }
    line.version = !line.help;
    return result;
  }
  try {
    // CLI11 takes the arguments from the back.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    parser.app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    line.help = true;
    return result;
  } catch (const CLI::CallForVersion&) {
    line.version = true;
    return result;
  } catch (const CLI::RequiredError&) {
    result.error = missingOperand(line);
    return result;
  } catch (const CLI::ParseError& error) {
    result.error = error.what();
    return result;
  }

  const CLI::App& command = *parser.find(line.command);
  if (line.command == Command::kCall) {
    if (line.list && !parser.function.empty()) {
      result.error = "call --list takes no FUNCTION, not '" + parser.function + "'";
      return result;
    }
    if (!line.list && parser.function.empty()) {
      result.error = "call needs a FUNCTION after the record type (or --list)";
      return result;
    }
  }
  if (line.command == Command::kExplain) {
    line.explain = parser.explain_operands;
    if (line.explain.size() == 2 && !core::isRecordType(line.explain[0])) {
      result.error = "explain takes an identifier after a record type, and '" + line.explain[0] +
                     "' is no record type (use " + join(recordTypes(), " or ") + ")";
      return result;
    }
  }
  for (const std::string& extra : command.remaining()) {
    if (extra == "--") continue;
    result.error = "layout takes one record type, not '" + extra + "'";
    return result;
  }
  if (line.command == Command::kCheck) {
    if (line.statistics && line.format != Format::kText && line.format != Format::kJson) {
      result.error = "--statistics prints a table: use --format text or json";
      return result;
    }
    for (const char* html_only : {"--html-limit", "--redact"}) {
      if (line.format != Format::kHtml && command.get_option(html_only)->count() > 0) {
        result.error = std::string(html_only) + " applies to --format html only";
        return result;
      }
    }
    if (!line.statistics && line.format == Format::kJson) {
      result.error = "--format json for check needs --statistics (findings one by one: jsonl)";
      return result;
    }
  }
  line.params.emplace_back(core::kLeapDayParameter, core::kLeapDayDefault);
  for (const auto* given_params : {&parser.param_options, &parser.param_operands}) {
    for (const std::string& text : *given_params) line.params.push_back(*parameterOf(text));
  }
  // A check's init parameters are known before any record is read;
  // call's are the function's arguments.
  if (line.command == Command::kCheck) {
    if (std::string error = core::initParameterError(line.params); !error.empty()) {
      result.error = core::toUtf8(error);
      return result;
    }
  }
  line.function = core::argumentTo1252(parser.function);
  return result;
}

std::string helpText(Command command) {
  CommandLine line;
  Parser parser(line);
  if (command == Command::kNone) return parser.app.help();
  return parser.find(command)->help("vexal");
}

const char* versionText() { return "vexal " VEXAL_VERSION "\n"; }

}  // namespace vexal::cli
