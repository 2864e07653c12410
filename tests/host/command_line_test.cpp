// The command line of `vexal`: what it accepts, what it refuses and the
// defaults it fills in.

#include "cli/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexal::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

struct Refused {
  std::vector<std::string> arguments;
  const char* message_part;
};

class RefusedTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedTest, IsAUsageError) {
  ParseResult result = parseCommandLine(GetParam().arguments);
  EXPECT_THAT(result.error, HasSubstr(GetParam().message_part));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusedTest,
    ::testing::Values(
        Refused{{}, "no subcommand"}, Refused{{"verify", "a"}, "unknown subcommand 'verify'"},
        Refused{{"check"}, "at least one FILE"}, Refused{{"check", "--bogus", "a"}, "'--bogus'"},
        Refused{{"check", "-x", "a"}, "'-x'"},
        Refused{{"check", "--today", "20230230", "a"}, "20230230"},
        Refused{{"check", "--today=2026120", "a"}, "JJJJMMTT"},
        Refused{{"check", "--today"}, "--today needs a value"},
        Refused{{"check", "--format", "xml", "a"},
                "text, jsonl, csv, html, junit or, with --statistics, json"},
        Refused{{"check", "--statistics", "--format=html", "a"}, "use --format text or json"},
        Refused{{"check", "--redact", "a"}, "--redact applies to --format html only"},
        Refused{{"check", "--format=junit", "--html-limit", "5", "a"}, "--html-limit applies"},
        Refused{{"check", "--html-limit=100", "a"}, "--html-limit applies"},
        Refused{{"check", "--format=html", "--html-limit", "-1", "a"}, "--html-limit wants"},
        Refused{{"check", "--format", "json", "a"}, "needs --statistics"},
        Refused{{"check", "--statistics", "--format=jsonl", "a"}, "use --format text or json"},
        Refused{{"check", "--color", "sometimes", "a"}, "auto, always or never"},
        Refused{{"check", "--quiet=yes", "a"}, "takes no value"},
        Refused{{"layout", "--statistics", "DSKO_04"}, "does not apply to layout"},
        Refused{{"layout", "--format=jsonl", "DSKO_04"}, "text or json"},
        Refused{{"check", "--level", "x", "a"}, "--level"},
        Refused{{"check", "--level", "-1", "a"}, "--level"},
        Refused{{"check", "--level", "2x", "a"}, "--level"},
        Refused{{"check", "--type", "DSKO_05", "a"}, "'DSKO_05'"},
        Refused{{"check", "--param", "ohneWert", "a"}, "NAME=VALUE"},
        Refused{{"check", "--param", "=1", "a"}, "NAME=VALUE"},
        Refused{{"check", "--log=1", "a"}, "takes no value"},
        Refused{{"layout", "--level", "2", "DSKO_04"}, "does not apply to layout"},
        Refused{{"types", "--today", "20261208"}, "does not apply to types"},
        Refused{{"layout"}, "needs a record type"},
        Refused{{"layout", "DSKO_04", "DSAS_01"}, "one record type"},
        Refused{{"layout", "DSKO"}, "'DSKO'"}, Refused{{"call", "DSKO_04"}, "FUNCTION"},
        Refused{{"call", "DSKO_04", "F_Trim", "Zeichenkette"}, "NAME=VALUE"},
        Refused{{"types", "DSKO_04"}, "no operands"}, Refused{{"--format", "json"}, "subcommand"}));

TEST(CommandLineTest, FillsInTheDefaults) {
  ParseResult result = parseCommandLine({"check", "a.txt"});
  ASSERT_EQ(result.error, "");
  const CommandLine& line = result.line;
  EXPECT_EQ(line.command, Command::kCheck);
  EXPECT_EQ(line.format, Format::kText);
  EXPECT_EQ(line.level, 1);
  EXPECT_EQ(line.jobs, 0);
  EXPECT_FALSE(line.today.has_value());
  EXPECT_FALSE(line.log);
  EXPECT_EQ(line.record_type, "");
  EXPECT_EQ(line.library, "");
  EXPECT_THAT(line.params, ElementsAre(Pair("ipMjahrSchalttag", "1201")));
  EXPECT_THAT(line.files, ElementsAre("a.txt"));
}

TEST(CommandLineTest, TakesEveryCheckOption) {
  ParseResult result = parseCommandLine(
      {"--library", "/x/libvexal.so", "check", "--today=20240229", "--param",
       "ipMjahrSchalttag=1130", "--param=ipMjahrSchalttag=0315", "--level", "2", "--format", "csv",
       "--log", "--type", "DSKO_04", "-", "--", "--named-like-an-option"});
  ASSERT_EQ(result.error, "");
  const CommandLine& line = result.line;
  EXPECT_EQ(line.library, "/x/libvexal.so");
  ASSERT_TRUE(line.today.has_value());
  EXPECT_EQ(line.today->year, 2024);
  EXPECT_EQ(line.today->month, 2);
  EXPECT_EQ(line.today->day, 29);
  // The default first, so that --param overrides it.
  EXPECT_THAT(line.params,
              ElementsAre(Pair("ipMjahrSchalttag", "1201"), Pair("ipMjahrSchalttag", "1130"),
                          Pair("ipMjahrSchalttag", "0315")));
  EXPECT_EQ(line.level, 2);
  EXPECT_EQ(line.format, Format::kCsv);
  EXPECT_TRUE(line.log);
  EXPECT_EQ(line.record_type, "DSKO_04");
  EXPECT_THAT(line.files, ElementsAre("-", "--named-like-an-option"));
  EXPECT_FALSE(line.statistics);
  EXPECT_FALSE(line.quiet);
  EXPECT_EQ(line.color, ColorMode::kAuto);

  result = parseCommandLine(
      {"check", "-q", "--statistics", "--format=json", "--color", "never", "a.txt"});
  ASSERT_EQ(result.error, "");
  EXPECT_TRUE(result.line.statistics);
  EXPECT_TRUE(result.line.quiet);
  EXPECT_EQ(result.line.format, Format::kJson);
  EXPECT_EQ(result.line.color, ColorMode::kNever);
  EXPECT_EQ(parseCommandLine({"check", "--color=always", "a"}).line.color, ColorMode::kAlways);
}

TEST(CommandLineTest, TakesTheHtmlOptions) {
  ParseResult result =
      parseCommandLine({"check", "--format=html", "--html-limit", "0", "--redact", "a.txt"});
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.line.format, Format::kHtml);
  EXPECT_EQ(result.line.html_limit, 0);
  EXPECT_TRUE(result.line.redact);
  result = parseCommandLine({"check", "--format", "junit", "a.txt"});
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.line.format, Format::kJunit);
  EXPECT_EQ(result.line.html_limit, 100);
  EXPECT_FALSE(result.line.redact);
}

TEST(CommandLineTest, CallTakesItsParametersInWindows1252) {
  ParseResult result = parseCommandLine({"call", "--format", "json", "--param=b=c=d", "DSKO_04",
                                         "F_IstLinksb\xC3\xBCndig", "Zeichenkette=  \xC3\xA4 "});
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.line.format, Format::kJson);
  EXPECT_EQ(result.line.record_type, "DSKO_04");
  EXPECT_EQ(result.line.function, "F_IstLinksb\xFCndig");
  EXPECT_THAT(result.line.params, ElementsAre(Pair("ipMjahrSchalttag", "1201"),
                                              Pair("b", "c=d"),  // split at the first '='
                                              Pair("Zeichenkette", "  \xE4 ")));
}

// Each checked value refused in the words of `vexal`, one line.
struct Rejected {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;
};

class RejectedValueTest : public ::testing::TestWithParam<Rejected> {};

TEST_P(RejectedValueTest, GivesItsOneLineMessage) {
  EXPECT_EQ(parseCommandLine(GetParam().arguments).error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RejectedValueTest,
    ::testing::Values(
        Rejected{"TodayNoDay",
                 {"check", "--today", "20230229", "a"},
                 "--today wants a date JJJJMMTT, e.g. 20261208, not '20230229'"},
        Rejected{"TodayForCall",
                 {"call", "--today=2026-12-08", "DSKO_04", "F_Trim"},
                 "--today wants a date JJJJMMTT, e.g. 20261208, not '2026-12-08'"},
        Rejected{"TodayEmpty", {"check", "--today=", "a"}, "--today needs a value"},
        Rejected{"FormatOfCheck",
                 {"check", "--format", "xml", "a"},
                 "unknown --format 'xml' for check (use text, jsonl, csv, html, junit or, with "
                 "--statistics, json)"},
        Rejected{"FormatOfLayout",
                 {"layout", "--format", "csv", "DSKO_04"},
                 "unknown --format 'csv' for layout (use text or json)"},
        Rejected{"FormatOfCall",
                 {"call", "--format=jsonl", "DSKO_04", "F_Trim"},
                 "unknown --format 'jsonl' for call (use text or json)"},
        Rejected{"FormatOfTypes",
                 {"--format", "TEXT", "types"},
                 "unknown --format 'TEXT' for types (use text or json)"},
        Rejected{"Color",
                 {"check", "--color=yes", "a"},
                 "--color wants auto, always or never, not 'yes'"},
        Rejected{"LevelNegative",
                 {"check", "--level", "-1", "a"},
                 "--level wants a number 0 or greater, not '-1'"},
        Rejected{"LevelTrailing",
                 {"check", "--level=2x", "a"},
                 "--level wants a number 0 or greater, not '2x'"},
        Rejected{"LevelHuge",
                 {"check", "--level", "99999999999", "a"},
                 "--level wants a number 0 or greater, not '99999999999'"},
        Rejected{"TypeLowerCase",
                 {"check", "--type", "dsko_04", "a"},
                 "unknown record type 'dsko_04' (use DSAS_01, DSAS_02, DSKO_04, DSLN_01 or "
                 "DSLN_02)"},
        Rejected{"LayoutOperand",
                 {"layout", "DSKO"},
                 "unknown record type 'DSKO' (use DSAS_01, DSAS_02, DSKO_04, DSLN_01 or DSLN_02)"},
        Rejected{"ParamWithoutName",
                 {"check", "--param", "=1", "a"},
                 "--param wants NAME=VALUE, not '=1'"},
        Rejected{"CallOperand",
                 {"call", "DSKO_04", "F_Trim", "Zeichenkette"},
                 "call wants parameters as NAME=VALUE, not 'Zeichenkette'"},
        Rejected{"FlagWithValue", {"check", "--statistics=1", "a"}, "--statistics takes no value"},
        Rejected{"JoinedFlagWithUnknown", {"check", "-qx", "a"}, "unknown option '-x'"},
        Rejected{
            "UnknownBeforeSubcommand", {"--strict", "check", "a"}, "unknown option '--strict'"},
        Rejected{"NotForLayoutBeforeIt",
                 {"--level", "2", "layout", "DSKO_04"},
                 "--level does not apply to layout"},
        Rejected{"LibraryWithoutPath", {"types", "--library"}, "--library needs a value"},
        Rejected{"SecondRecordType",
                 {"layout", "DSKO_04", "DSAS_01"},
                 "layout takes one record type, not 'DSAS_01'"},
        Rejected{"TypesOperand", {"types", "--", "-x"}, "types takes no operands, not '-x'"},
        Rejected{"CallWithoutFunction",
                 {"call", "DSKO_04"},
                 "call needs a FUNCTION after the record type (or --list)"},
        Rejected{"CallWithoutRecordType", {"call"}, "call needs a record type"},
        Rejected{"OnlyOptions",
                 {"--library", "x.so"},
                 "no subcommand given (use check, layout, call, types, explain or params)"},
        Rejected{"JobsZero",
                 {"check", "-j", "0", "a.txt"},
                 "--jobs wants a number from 1 to 256, not '0'"},
        Rejected{"JobsTooMany",
                 {"check", "--jobs=257", "a.txt"},
                 "--jobs wants a number from 1 to 256, not '257'"},
        Rejected{"JobsNotANumber",
                 {"check", "-jx", "a.txt"},
                 "--jobs wants a number from 1 to 256, not 'x'"},
        Rejected{"JobsMissing", {"check", "a.txt", "-j"}, "-j needs a value"},
        Rejected{"JobsNotForLayout",
                 {"layout", "-j", "2", "DSKO_04"},
                 "--jobs does not apply to layout"}),
    [](const auto& info) { return info.param.name; });

TEST(CommandLineTest, EveryUsageErrorIsOneLine) {
  for (const Rejected& c :
       {Rejected{"", {"check", "--today"}, ""}, Rejected{"", {"check"}, ""},
        Rejected{"", {"check", "-j0", "a"}, ""}, Rejected{"", {"frobnicate"}, ""}}) {
    const std::string error = parseCommandLine(c.arguments).error;
    EXPECT_NE(error, "");
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

// Where options may stand and what ends them.
struct Accepted {
  const char* name;
  std::vector<std::string> arguments;
  Command command;
  std::vector<std::string> files;
  bool quiet;
  int jobs;
  bool help;
  bool version;
};

class AcceptedTest : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedTest, TakesTheArguments) {
  const Accepted& c = GetParam();
  ParseResult result = parseCommandLine(c.arguments);
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.line.command, c.command);
  EXPECT_EQ(result.line.files, c.files);
  EXPECT_EQ(result.line.quiet, c.quiet);
  EXPECT_EQ(result.line.jobs, c.jobs);
  EXPECT_EQ(result.line.help, c.help);
  EXPECT_EQ(result.line.version, c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, AcceptedTest,
    ::testing::Values(
        Accepted{"OptionsBeforeTheSubcommand",
                 {"-q", "--jobs", "3", "check", "a"},
                 Command::kCheck,
                 {"a"},
                 true,
                 3,
                 false,
                 false},
        Accepted{"JoinedShortOptions",
                 {"check", "-qj4", "a"},
                 Command::kCheck,
                 {"a"},
                 true,
                 4,
                 false,
                 false},
        Accepted{"OptionsBetweenFiles",
                 {"check", "a", "-q", "b"},
                 Command::kCheck,
                 {"a", "b"},
                 true,
                 0,
                 false,
                 false},
        Accepted{"LastValueWins",
                 {"check", "-j", "2", "-j", "5", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 5,
                 false,
                 false},
        Accepted{"DashesEndTheOptions",
                 {"check", "a", "--", "-q", "-j4"},
                 Command::kCheck,
                 {"a", "-q", "-j4"},
                 false,
                 0,
                 false,
                 false},
        Accepted{"DashesBeforeTheSubcommand",
                 {"--", "check", "-q"},
                 Command::kCheck,
                 {"-q"},
                 false,
                 0,
                 false,
                 false},
        Accepted{"FileNamedLikeASubcommand",
                 {"check", "types", "layout"},
                 Command::kCheck,
                 {"types", "layout"},
                 false,
                 0,
                 false,
                 false},
        Accepted{
            "HelpWithoutOperands", {"check", "--help"}, Command::kCheck, {}, false, 0, true, false},
        Accepted{
            "HelpBeforeTheSubcommand", {"-h", "call"}, Command::kCall, {}, false, 0, true, false},
        Accepted{"Overview", {"--help"}, Command::kNone, {}, false, 0, true, false},
        Accepted{"Version", {"--version"}, Command::kNone, {}, false, 0, false, true},
        Accepted{"VersionOfASubcommand",
                 {"layout", "--version"},
                 Command::kLayout,
                 {},
                 false,
                 0,
                 false,
                 true},
        // --jobs N and -j N in every spelling; 0 (one thread a core) without.
        Accepted{"JobsLong",
                 {"check", "--jobs", "3", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 3,
                 false,
                 false},
        Accepted{"JobsLongWithEquals",
                 {"check", "--jobs=12", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 12,
                 false,
                 false},
        Accepted{
            "JobsShort", {"check", "-j", "2", "a"}, Command::kCheck, {"a"}, false, 2, false, false},
        Accepted{"JobsShortJoined",
                 {"check", "-j7", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 7,
                 false,
                 false},
        Accepted{"JobsOneIsOneThread",
                 {"-j", "1", "check", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 1,
                 false,
                 false},
        Accepted{"JobsMost",
                 {"check", "-j", "256", "a"},
                 Command::kCheck,
                 {"a"},
                 false,
                 256,
                 false,
                 false}),
    [](const auto& info) { return info.param.name; });

TEST(CommandLineTest, ParamOperandsOfCallWinOverTheOption) {
  ParseResult result =
      parseCommandLine({"call", "DSKO_04", "F_Trim", "a=1", "--param", "a=2", "--param", "b=3"});
  ASSERT_EQ(result.error, "");
  EXPECT_THAT(result.line.params, ElementsAre(Pair("ipMjahrSchalttag", "1201"), Pair("a", "2"),
                                              Pair("b", "3"), Pair("a", "1")));
}

// The help of each subcommand names the options it takes and no other.
struct HelpCase {
  Command command;
  const char* usage;  // the first line
  std::vector<const char*> taken;
  std::vector<const char*> not_taken;
};

class HelpTest : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpTest, ListsTheSubcommandsOptions) {
  const std::string help = helpText(GetParam().command);
  EXPECT_EQ(help.substr(0, help.find('\n')), GetParam().usage);
  for (const char* option : GetParam().taken) EXPECT_THAT(help, HasSubstr(option));
  for (const char* option : GetParam().not_taken) {
    EXPECT_THAT(help, ::testing::Not(HasSubstr(option)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, HelpTest,
    ::testing::Values(
        HelpCase{Command::kCheck,
                 "vexal check [options] FILE...",
                 {"--today JJJJMMTT", "--param NAME=VALUE", "--level N", "--type R", "--format F",
                  "--statistics", "--color WHEN", "--quiet, -q", "--jobs, -j N", "--log",
                  "--library PATH", "--help, -h", "--version", "characters 40-41", "Exit status"},
                 {}},
        HelpCase{Command::kLayout,
                 "vexal layout [options] R",
                 {"--format F", "--library PATH", "--help, -h", "--version"},
                 {"--today", "--param", "--level", "--jobs", "--log", "--statistics"}},
        HelpCase{Command::kCall,
                 "vexal call [options] R [FUNCTION] [NAME=VALUE...]",
                 {"--today JJJJMMTT", "--param NAME=VALUE", "--log", "--format F", "--library",
                  "--list"},
                 {"--level", "--jobs", "--type", "--statistics", "--color"}},
        HelpCase{Command::kExplain,
                 "vexal explain [options] [R] IDENTIFIER",
                 {"--format F", "--library PATH", "DSLN280", "P_GTST"},
                 {"--today", "--param", "--log", "--jobs", "--list"}},
        HelpCase{Command::kParams,
                 "vexal params [options]",
                 {"--format F", "--param NAME=VALUE"},
                 {"--today", "--library", "--log", "--jobs"}},
        HelpCase{Command::kTypes,
                 "vexal types [options]",
                 {"--format F", "--library PATH", "--version"},
                 {"--today", "--param", "--log", "--jobs"}},
        HelpCase{Command::kNone,
                 "vexal - checks records of the accident-insurance reporting procedure with the",
                 {"vexal check [options] FILE...", "vexal layout [options] R",
                  "vexal call [options] R [FUNCTION] [NAME=VALUE...]", "vexal types [options]",
                  "vexal explain [options] [R] IDENTIFIER", "vexal params [options]",
                  "DSAS_01 DSAS_02 DSKO_04 DSLN_01 DSLN_02", "Exit status"},
                 {"--jobs"}}));

struct DateCase {
  const char* text;
  bool valid;
};

class DateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTest, IsARealCalendarDay) {
  EXPECT_EQ(core::parseDate(GetParam().text).has_value(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Dates, DateTest,
                         ::testing::Values(DateCase{"20261208", true}, DateCase{"20240229", true},
                                           DateCase{"20230229", false}, DateCase{"20261301", false},
                                           DateCase{"20261200", false}, DateCase{"2026128", false},
                                           DateCase{"202612081", false},
                                           DateCase{"2026-1-8", false}, DateCase{"", false}));

}  // namespace
}  // namespace vexal::cli
