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
        Refused{{"check", "--format", "xml", "a"}, "text, jsonl, csv or, with --statistics, json"},
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
  EXPECT_FALSE(line.today.has_value());
  EXPECT_FALSE(line.log);
  EXPECT_EQ(line.record_type, "");
  EXPECT_EQ(line.library, "");
  EXPECT_THAT(line.params, ElementsAre(Pair("ipMjahrSchalttag", "1201")));
  EXPECT_THAT(line.files, ElementsAre("a.txt"));
}

TEST(CommandLineTest, TakesEveryCheckOption) {
  ParseResult result =
      parseCommandLine({"--library", "/x/libvexal.so", "check", "--today=20240229", "--param",
                        "ipMjahrSchalttag=1130", "--param=b=c=d", "--level", "2", "--format", "csv",
                        "--log", "--type", "DSKO_04", "-", "--", "--named-like-an-option"});
  ASSERT_EQ(result.error, "");
  const CommandLine& line = result.line;
  EXPECT_EQ(line.library, "/x/libvexal.so");
  ASSERT_TRUE(line.today.has_value());
  EXPECT_EQ(line.today->year, 2024);
  EXPECT_EQ(line.today->month, 2);
  EXPECT_EQ(line.today->day, 29);
  // The default first, so that --param overrides it.
  EXPECT_THAT(line.params, ElementsAre(Pair("ipMjahrSchalttag", "1201"),
                                       Pair("ipMjahrSchalttag", "1130"), Pair("b", "c=d")));
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

TEST(CommandLineTest, CallTakesItsParametersInWindows1252) {
  ParseResult result = parseCommandLine({"call", "--format", "json", "DSKO_04",
                                         "F_IstLinksb\xC3\xBCndig", "Zeichenkette=  \xC3\xA4 "});
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.line.format, Format::kJson);
  EXPECT_EQ(result.line.record_type, "DSKO_04");
  EXPECT_EQ(result.line.function, "F_IstLinksb\xFCndig");
  EXPECT_THAT(result.line.params,
              ElementsAre(Pair("ipMjahrSchalttag", "1201"), Pair("Zeichenkette", "  \xE4 ")));
}

struct DateCase {
  const char* text;
  bool valid;
};

class DateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTest, IsARealCalendarDay) {
  EXPECT_EQ(parseDate(GetParam().text).has_value(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Dates, DateTest,
                         ::testing::Values(DateCase{"20261208", true}, DateCase{"20240229", true},
                                           DateCase{"20230229", false}, DateCase{"20261301", false},
                                           DateCase{"20261200", false}, DateCase{"2026128", false},
                                           DateCase{"202612081", false},
                                           DateCase{"2026-1-8", false}, DateCase{"", false}));

}  // namespace
}  // namespace vexal::cli
