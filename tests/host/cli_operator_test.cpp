// The built `vexal` program as an operator meets it: statistics, the jsonl
// summary, colour, progress, and clear words about input it cannot use.
// Runs on copies of the example transmission in a temporary folder.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/program_run.h"
#include "support/matchers.h"
#include "support/scratch_folder.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::ProgramResult;
using vexal::testing::RunOptions;

std::string exampleBytes() {
  std::ifstream in(VEXAL_SOURCE_DIR "/examples/transmission.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The example holds Latin-1 letters only (no 0x80-0x9F), which are their
// own code points.
std::string latin1ToUtf8(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return out;
}

std::string latin1ToUtf16WithMark(const std::string& bytes) {
  std::string out = "\xFF\xFE";
  for (char c : bytes) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

class OperatorTest : public ::testing::Test, protected vexal::test::ScratchFolder {
 protected:
  OperatorTest() : ScratchFolder("vexal-operator-test") {}

  void SetUp() override { write("transmission.txt", exampleBytes()); }
  // check --today 20261208, then the arguments.
  ProgramResult check(const std::vector<std::string>& arguments, RunOptions options = {}) {
    std::vector<std::string> all = {"check", "--today", "20261208"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return vexal::testing::runProgram(VEXAL_CLI_PATH, all, folder_, options);
  }
};

TEST_F(OperatorTest, StatisticsCountPerRecordTypeAndIdentifierMostFrequentFirst) {
  ProgramResult r = check({"--statistics", "transmission.txt"});
  EXPECT_EQ(r.status, 1);
  std::vector<std::string> out = lines(r.out);
  ASSERT_EQ(out.size(), 1u + 54u);
  EXPECT_EQ(out[0], "COUNT  RECORDS  TYPE     ID           MESSAGE");
  // Two contact persons without a name: two findings in two records.
  EXPECT_EQ(
      out[1],
      "    2        2  DSAS_01  DBAP030      NAME-ANSPRECHPARTNER Grundstellung unzul\xC3\xA4ssig");
  EXPECT_THAT(out, Contains("    1        1  -        error        record type cannot be told"));
  EXPECT_THAT(out, Contains("    1        1  DSKO_04  warning      record too short"));
  // A field finding counts by its check and what is wrong with it.
  EXPECT_THAT(out, Contains("    1        1  DSKO_04  TELAP        field TELEFON-ANSPRECHPARTNER "
                            "(TELAP) not supplied"));
  EXPECT_THAT(out,
              Contains("    1        1  DSKO_04  DSKO054      DATUM-ERSTELLUNG gr\xC3\xB6\xC3\x9F"
                       "er Verarbeitungsdatum"));
  EXPECT_THAT(r.out, Not(HasSubstr("transmission.txt:")));
  EXPECT_EQ(r.err,
            "vexal: 28 records checked, 19 with findings, 60 findings (DSAS_01: 19, DSAS_02: 3, "
            "DSKO_04: 14, DSLN_01: 20, DSLN_02: 4), 3 warnings, 1 line error\n");
}

TEST_F(OperatorTest, StatisticsAsOneJsonDocument) {
  ProgramResult r = check({"--statistics", "--format", "json", "transmission.txt"});
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(lines(r.out).size(), 1u);
  EXPECT_THAT(
      r.out,
      AllOf(StartsWith(R"({"records":28,"records_with_findings":19,"findings":60,)"
                       R"("findings_by_record_type":{"DSAS_01":19,"DSAS_02":3,"DSKO_04":14,)"
                       R"("DSLN_01":20,"DSLN_02":4},"warnings":3,)"
                       R"("line_errors":1,"unreadable_files":0,"file_warnings":0,"statistics":[)"
                       R"({"record_type":"DSAS_01","kind":"finding","code":"DBAP030",)"
                       R"("check":"P_NAMEAP","info_type":0,"count":2,"records":2,)"
                       R"("message":"NAME-ANSPRECHPARTNER Grundstellung unzul)"),
            HasSubstr(R"({"record_type":"DSKO_04","kind":"finding","code":null,"check":"TELAP",)"
                      R"("info_type":1,"count":1,"records":1,"message":"field )"),
            HasSubstr(R"({"record_type":null,"kind":"error","code":null,"check":null,)"
                      R"("info_type":null,"count":1,"records":1,)"
                      R"("message":"record type cannot be told"})"),
            HasSubstr("],\"files\":[]}\n")));
  EXPECT_EQ(r.err, "");
}

TEST_F(OperatorTest, JsonlClosesWithASummary) {
  write("second.txt", "");
  ProgramResult r = check({"--format", "jsonl", "transmission.txt", "missing.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(lines(r.out).back(),
            R"({"kind":"summary","records":28,"records_with_findings":19,"findings":60,)"
            R"("findings_by_record_type":{"DSAS_01":19,"DSAS_02":3,"DSKO_04":14,"DSLN_01":20,)"
            R"("DSLN_02":4},"warnings":3,)"
            R"("line_errors":1,"unreadable_files":1,"file_warnings":0})");
  EXPECT_EQ(lines(check({"--format", "jsonl", "second.txt"}).out).back(),
            R"({"kind":"summary","records":0,"records_with_findings":0,"findings":0,)"
            R"("findings_by_record_type":{},"warnings":0,"line_errors":0,)"
            R"("unreadable_files":0,"file_warnings":1})");
}

struct ColorCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> environment;
  bool terminal;
  bool colored;
  const char* shows;  // a piece of the output
};

class ColorTest : public OperatorTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(ColorTest, ColoursOnlyWhereAsked) {
  RunOptions options;
  options.environment = GetParam().environment;
  options.environment.push_back("TERM=xterm");
  options.stdout_terminal = GetParam().terminal;
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.push_back("transmission.txt");
  ProgramResult r = check(arguments, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("\x1b[") != std::string::npos, GetParam().colored);
  EXPECT_NE(r.out.find(GetParam().shows), std::string::npos) << GetParam().shows;
  EXPECT_THAT(r.err, Not(HasSubstr("\x1b")));
}

constexpr char kPlainFinding[] = "P_ED: DSKO054 DATUM-ERSTELLUNG";
constexpr char kColoredFinding[] = "\x1b[36mP_ED\x1b[0m: \x1b[1;31mDSKO054\x1b[0m DATUM-ERSTELLUNG";

INSTANTIATE_TEST_SUITE_P(
    Modes, ColorTest,
    ::testing::Values(
        ColorCase{"AutoIntoAFile", {}, {}, false, false, kPlainFinding},
        ColorCase{"AutoOnATerminal", {}, {"NO_COLOR"}, true, true, kColoredFinding},
        ColorCase{"AlwaysIntoAFile",
                  {"--color", "always"},
                  {},
                  false,
                  true,
                  "\x1b[1mtransmission.txt:8:\x1b[0m DSKO_04 \x1b[1;33mwarning:\x1b[0m record too "
                  "short"},
        ColorCase{"NeverOnATerminal", {"--color=never"}, {}, true, false, kPlainFinding},
        ColorCase{"NoColorOnATerminal", {}, {"NO_COLOR=1"}, true, false, kPlainFinding},
        ColorCase{"EmptyNoColorCountsAsUnset", {}, {"NO_COLOR="}, true, true, kColoredFinding},
        ColorCase{"AlwaysWinsOverNoColor",
                  {"--color=always"},
                  {"NO_COLOR=1"},
                  false,
                  true,
                  kColoredFinding},
        ColorCase{"StatisticsOnATerminal",
                  {"--statistics"},
                  {"NO_COLOR"},
                  true,
                  true,
                  "  DSKO_04  \x1b[1;31mDSKO054\x1b[0m      DATUM-ERSTELLUNG"},
        ColorCase{"JsonlNeverColoured",
                  {"--color=always", "--format=jsonl"},
                  {},
                  true,
                  false,
                  R"("code":"DSKO054")"}),
    [](const auto& info) { return info.param.name; });

struct EncodingCase {
  const char* name;
  std::string (*make)(const std::string& latin1);
  long line;  // of the warning; 0 for none
  const char* message_part;
};

class EncodingTest : public OperatorTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodingTest, WarnsOnceAndChecksTheBytesAsTheyAre) {
  write("converted.txt", GetParam().make(exampleBytes()));
  ProgramResult r = check({"--format", "jsonl", "converted.txt"});
  std::vector<std::string> warnings;
  for (const std::string& line : lines(r.out)) {
    if (line.find(R"("kind":"file_warning")") != std::string::npos) warnings.push_back(line);
  }
  if (GetParam().line == 0) {
    EXPECT_THAT(warnings, ElementsAre());
    EXPECT_EQ(r.err, "");
    return;
  }
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_THAT(warnings[0],
              AllOf(StartsWith(R"({"kind":"file_warning","file":"converted.txt","line":)" +
                               std::to_string(GetParam().line) + R"(,"message":")"),
                    HasSubstr(GetParam().message_part), HasSubstr("Latin-1 (Windows-1252)")));
  // Machine-readable output goes to a file; the warning also reaches the
  // person on standard error.
  EXPECT_THAT(
      r.err, StartsWith("vexal: converted.txt:" + std::to_string(GetParam().line) + ": warning: "));
  // In text the warning names file and line.
  ProgramResult text = check({"converted.txt"});
  EXPECT_THAT(
      lines(text.out),
      Contains(StartsWith("converted.txt:" + std::to_string(GetParam().line) + ": warning: ")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, EncodingTest,
    ::testing::Values(
        EncodingCase{"Latin1", [](const std::string& s) { return s; }, 0, ""},
        EncodingCase{"Utf16WithMark", &latin1ToUtf16WithMark, 1, "UTF-16 byte-order mark"},
        EncodingCase{"Utf8WithMark",
                     [](const std::string& s) { return "\xEF\xBB\xBF" + latin1ToUtf8(s); }, 1,
                     "UTF-8 byte-order mark"},
        // The first umlaut of the example stands in line 2.
        EncodingCase{"Utf8", &latin1ToUtf8, 2,
                     "first line with UTF-8 characters, \\\"\xC3\xBC\\\" (U+00FC) at character 95: "
                     "records are Latin-1 (Windows-1252), so field positions shift after each "
                     "such character"}),
    [](const auto& info) { return info.param.name; });

// A path this process cannot open for reading: a file without permissions,
// or for root, whom those do not stop, a write-only kernel setting.
std::string unreadablePath(const std::string& folder) {
  std::string path = folder + "/locked.txt";
  std::ofstream(path) << "DSKO\n";
  chmod(path.c_str(), 0);
  if (geteuid() == 0) path = "/proc/sys/vm/drop_caches";
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd >= 0) {
    close(fd);
    return "";
  }
  return errno == EACCES ? path : "";
}

struct InputCase {
  const char* name;
  std::string (*prepare)(const std::string& folder);  // the path to check
  int status;
  const char* message;  // after "PATH: " in text
};

class InputTest : public OperatorTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputTest, GetsOneLineNamingTheFile) {
  const std::string path = GetParam().prepare(folder_);
  if (path.empty()) GTEST_SKIP() << "no path this process cannot read";
  ProgramResult r = check({path, "transmission.txt"});
  EXPECT_EQ(r.status, GetParam().status);
  std::vector<std::string> about;
  for (const std::string& line : lines(r.out)) {
    if (line.find(path) != std::string::npos) about.push_back(line);
  }
  EXPECT_THAT(about, ElementsAre(path + ": " + GetParam().message));
  // The other file is still checked; standard error has the summary only.
  EXPECT_THAT(r.out, HasSubstr("transmission.txt:3: DSKO_04 P_VERNR"));
  EXPECT_THAT(lines(r.err), ElementsAre(StartsWith("vexal: 28 records checked")));
}

INSTANTIATE_TEST_SUITE_P(Files, InputTest,
                         ::testing::Values(InputCase{"Directory",
                                                     [](const std::string& folder) {
                                                       std::filesystem::create_directory(folder +
                                                                                         "/sub");
                                                       return folder + "/sub";
                                                     },
                                                     2, "error: cannot open file: Is a directory"},
                                           InputCase{"PermissionDenied", &unreadablePath, 2,
                                                     "error: cannot open file: Permission denied"},
                                           InputCase{"Empty",
                                                     [](const std::string& folder) {
                                                       std::ofstream(folder + "/empty.txt");
                                                       return folder + "/empty.txt";
                                                     },
                                                     1, "warning: file is empty"},
                                           InputCase{"OnlyEmptyLines",
                                                     [](const std::string& folder) {
                                                       std::ofstream(folder + "/blank.txt")
                                                           << "\n\r\n\n";
                                                       return folder + "/blank.txt";
                                                     },
                                                     1, "warning: file holds only empty lines"}),
                         [](const auto& info) { return info.param.name; });

struct ProgressCase {
  const char* name;
  std::vector<std::string> arguments;
  bool stderr_terminal;
  bool shown;
};

class ProgressTest : public OperatorTest, public ::testing::WithParamInterface<ProgressCase> {};

// VEXAL_PROGRESS_DELAY=0 shows progress from the first line, so that a
// short run tells whether it would be shown.
TEST_P(ProgressTest, ShowsOnlyOnATerminalAndNeverInTheOutput) {
  RunOptions options;
  options.environment = {"VEXAL_PROGRESS_DELAY=0"};
  options.stderr_terminal = GetParam().stderr_terminal;
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.push_back("transmission.txt");
  ProgramResult r = check(arguments, options);
  EXPECT_EQ(r.status, 1);
  const std::string progress = "\rvexal: transmission.txt  0%  ";
  if (GetParam().shown) {
    EXPECT_THAT(r.err, StartsWith(progress));
    // Taken off again before the summary.
    EXPECT_THAT(r.err, HasSubstr(" \rvexal: 28 records checked"));
  } else {
    EXPECT_THAT(r.err, Not(HasSubstr("\r")));
    EXPECT_THAT(r.err, Not(HasSubstr("records/s")));
  }
  EXPECT_THAT(r.out, Not(HasSubstr("records/s")));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ProgressTest,
    ::testing::Values(ProgressCase{"OnATerminal", {}, true, true},
                      ProgressCase{"IntoAPipeOrFile", {}, false, false},
                      ProgressCase{"Quiet", {"--quiet"}, true, false},
                      ProgressCase{"WithTheRuntimeLog", {"--log"}, true, false},
                      ProgressCase{"Statistics", {"--statistics"}, true, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(OperatorTest, QuietDropsTheSummary) { EXPECT_EQ(check({"-q", "transmission.txt"}).err, ""); }

}  // namespace
