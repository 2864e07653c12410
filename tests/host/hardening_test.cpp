// vexal refuses what it cannot check before it reads a record, and in one
// line: init parameters that are no day of every year or no parameter at
// all, and a library that is not libvexal. Each is a usage error (exit 2)
// with nothing on standard output.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/line_reader.h"
#include "core/result_stream.h"
#include "host/program_run.h"
#include "support/string_source.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using vexal::testing::ProgramResult;

const std::string kExample = VEXAL_SOURCE_DIR "/examples/transmission.txt";

// A library that loads but is not libvexal: the rule runtime beside vexal.
std::string otherLibrary() {
  const std::string program = VEXAL_CLI_PATH;
  return program.substr(0, program.rfind('/') + 1) + "libpl_runtime.so";
}

ProgramResult vexal(std::vector<std::string> arguments) {
  return vexal::testing::runProgram(VEXAL_CLI_PATH, arguments, VEXAL_SOURCE_DIR);
}

struct Refused {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;  // in the one line on standard error
};

void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

class RefusedBeforeAnyRecordTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedBeforeAnyRecordTest, IsAOneLineUsageError) {
  std::vector<std::string> arguments = {"check", "--today", "20261208"};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  arguments.push_back(kExample);
  const ProgramResult run = vexal(arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.out, IsEmpty());
  // The first line says it; the second only points to --help.
  EXPECT_THAT(run.err.substr(0, run.err.find('\n')), HasSubstr(GetParam().message)) << run.err;
}

constexpr char kNoDay[] = "wants a day MMTT that every year has (0101-1231, not 0229)";

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedBeforeAnyRecordTest,
    ::testing::Values(
        Refused{"NoSuchMonth", {"--param", "ipMjahrSchalttag=1301"}, kNoDay},
        Refused{"NoSuchDay", {"--param", "ipMjahrSchalttag=0230"}, kNoDay},
        Refused{"LeapDay", {"--param", "ipMjahrSchalttag=0229"}, kNoDay},
        Refused{"MonthZero", {"--param", "ipMjahrSchalttag=0015"}, kNoDay},
        Refused{"DayZero", {"--param", "ipMjahrSchalttag=0100"}, kNoDay},
        Refused{"TwoDigits", {"--param", "ipMjahrSchalttag=12"}, kNoDay},
        Refused{"Letters", {"--param", "ipMjahrSchalttag=abcd"}, kNoDay},
        Refused{"Empty", {"--param", "ipMjahrSchalttag="}, kNoDay},
        Refused{"ManyDigits", {"--param", "ipMjahrSchalttag=" + std::string(5000, '1')}, kNoDay},
        Refused{"Misspelt",
                {"--param", "ipMjahrSchaltag=1201"},
                "unknown init parameter 'ipMjahrSchaltag' (known: ipMjahrSchalttag)"},
        Refused{"NotLibvexal", {"--library", otherLibrary()}, "not a libvexal"}),
    [](const auto& info) { return std::string(info.param.name); });

class FullDiskTest : public ::testing::TestWithParam<std::vector<std::string>> {};

// Every subcommand, help and version too, says why its output was lost.
TEST_P(FullDiskTest, SaysWhyTheOutputWasLostAndExitsTwo) {
  std::string command = "exec '" VEXAL_CLI_PATH "'";
  for (const std::string& argument : GetParam()) command += " '" + argument + "'";
  const ProgramResult run =
      vexal::testing::runProgram("/bin/sh", {"-c", command + " >/dev/full"}, VEXAL_SOURCE_DIR);
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_THAT(run.err, HasSubstr("vexal: cannot write the output: No space left on device"));
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, FullDiskTest,
    ::testing::Values(std::vector<std::string>{"--help"}, std::vector<std::string>{"--version"},
                      std::vector<std::string>{"check", "--help"},
                      std::vector<std::string>{"types"},
                      std::vector<std::string>{"layout", "DSLN_01"},
                      std::vector<std::string>{"call", "DSKO_04", "F_Trim", "Zeichenkette= a "},
                      std::vector<std::string>{"check", "--today", "20261208", kExample},
                      std::vector<std::string>{"check", "-j", "2", "--format", "jsonl", kExample},
                      std::vector<std::string>{"check", "--statistics", kExample}));

// A file name is the user's, not ours: its control characters must not
// split an output line or drive the terminal.
TEST(FileNameTest, ControlCharactersAreShownEscapedInTextAndCsv) {
  const std::string folder = ::testing::TempDir() + "vexal-names";
  std::filesystem::create_directories(folder);
  const std::string name = "evil\x1B[31m\nname\xC2\x9B.txt";
  std::filesystem::copy_file(kExample, folder + "/" + name,
                             std::filesystem::copy_options::overwrite_existing);
  const std::string shown = "evil\\x1B[31m\\x0Aname\\u009B.txt";
  for (const char* format : {"text", "csv"}) {
    const ProgramResult run = vexal::testing::runProgram(
        VEXAL_CLI_PATH, {"check", "--today", "20261208", "--format", format, name}, folder);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.out, HasSubstr(shown)) << format;
    EXPECT_EQ(run.out.find('\x1B'), std::string::npos) << format;
    EXPECT_EQ(run.out.find("\xC2\x9B"), std::string::npos) << format;
  }
  // jsonl keeps the name itself, as JSON escapes it.
  const ProgramResult jsonl = vexal::testing::runProgram(
      VEXAL_CLI_PATH, {"check", "--today", "20261208", "--format", "jsonl", name}, folder);
  EXPECT_THAT(jsonl.out, HasSubstr(R"("file":"evil\u001b[31m\nname)"));
}

TEST(InitParameterTest, EveryDayOfACommonYearPasses) {
  for (const char* day : {"0101", "0131", "0228", "0430", "1130", "1201", "1231"}) {
    const ProgramResult run = vexal({"check", "--today", "20261208", "--param",
                                     std::string("ipMjahrSchalttag=") + day, kExample});
    EXPECT_EQ(run.status, 1) << day << ": " << run.err;  // the example has findings
  }
}

using vexal::test::StringSource;

struct LineEnds {
  const char* name;
  std::string input;
  std::vector<std::string> lines;  // "<" marks a line that ended with a CR alone
};

void PrintTo(const LineEnds& c, std::ostream* os) { *os << c.name; }

class CrLineEndTest : public ::testing::TestWithParam<LineEnds> {};

// Every read size, so that a CR and its LF may come in separate reads.
TEST_P(CrLineEndTest, SplitsAtACrAloneButNotAtCrLf) {
  for (std::size_t piece : {1, 2, 3, 7, 4096}) {
    StringSource source(GetParam().input, piece);
    vexal::core::LineReader reader(source, 4);  // a tiny buffer grows as needed
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) lines.push_back((reader.endedByCr() ? "<" : "") + std::string(line));
    EXPECT_EQ(lines, GetParam().lines) << "reads of " << piece;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CrLineEndTest,
    ::testing::Values(LineEnds{"CrOnly", "ab\rcd\ref\r", {"<ab", "<cd", "ef"}},
                      LineEnds{"CrLf", "ab\r\ncd\r\n", {"ab", "cd"}},
                      LineEnds{"Lf", "ab\ncd", {"ab", "cd"}},
                      LineEnds{"CrBeforeCrLf", "ab\r\r\ncd", {"<ab", "", "cd"}},
                      LineEnds{"Mixed", "ab\ncd\ref\r\ngh", {"ab", "<cd", "ef", "gh"}},
                      LineEnds{"LastByteCr", "ab\r", {"ab"}},
                      LineEnds{"EmptyCrLines", "\r\r\n", {"<", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CrLineEndTest, TheFileWarnsOnceBeforeTheFirstSuchLine) {
  StringSource source("DSKO a\nDSKO b\rDSKO c\rDSKO d\n", 5);
  vexal::core::ResultStream stream(source);
  vexal::core::StreamItem item;
  std::vector<std::string> items;
  while (stream.next(item)) {
    if (item.kind == vexal::core::StreamItem::Kind::kLine) {
      items.push_back(std::to_string(item.line.number) + ":" + std::string(item.line.bytes));
    } else {
      items.push_back("warning " + std::to_string(item.warning_line));
      EXPECT_THAT(item.message, HasSubstr("line 2 ends with a CR alone"));
    }
  }
  EXPECT_EQ(items, (std::vector<std::string>{"1:DSKO a", "warning 2", "2:DSKO b", "3:DSKO c",
                                             "4:DSKO d"}));
}

}  // namespace
