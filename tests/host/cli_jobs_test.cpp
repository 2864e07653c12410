// vexal check -j: the built program with 1, 2 and 7 workers writes the same
// bytes on standard output and standard error, with the same exit status,
// in every format, for files of all five record types with findings, line
// errors and length warnings, several files at once and standard input.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/program_run.h"
#include "support/scratch_folder.h"

namespace {

using ::testing::HasSubstr;
using vexal::testing::ProgramResult;

std::string exampleLines() {
  std::ifstream in(VEXAL_SOURCE_DIR "/examples/transmission.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The example transmission (every record type, valid and faulty records,
// short records, an unknown record identifier, an empty line) over and
// over, each copy a little different: lines cut shorter, a version
// changed, an umlaut in UTF-8 near the end, so that chunks of every
// worker meet every kind of line.
std::string mixedTransmission(int copies, bool utf8) {
  const std::string example = exampleLines();
  std::string text;
  for (int copy = 0; copy < copies; ++copy) {
    std::istringstream in(example);
    int number = 0;
    for (std::string line; std::getline(in, line); ++number) {
      if ((copy + number) % 11 == 3 && line.size() > 100) line.resize(100 + copy % 50);
      if ((copy + number) % 13 == 5 && line.size() > 41) line[40] = '7';
      text += line + (number % 3 == 0 ? "\r\n" : "\n");
    }
  }
  if (utf8) text += "DSKOUVSDDM\xC3\xBCller\n";
  return text;
}

struct Format {
  const char* name;
  std::vector<std::string> options;
};

class JobsTest : public ::testing::TestWithParam<Format>, protected vexal::test::ScratchFolder {
 protected:
  JobsTest() : ScratchFolder("vexal-jobs-test") {}

  void SetUp() override {
    write("a.txt", mixedTransmission(200, false));  // 6,000 lines: several chunks
    write("b.txt", mixedTransmission(7, true));
    write("empty.txt", "");
    write("stdin.txt", mixedTransmission(100, false));
  }
  ProgramResult check(const std::string& jobs, const std::vector<std::string>& operands) {
    std::vector<std::string> arguments = {"check", "-j", jobs, "--today", "20261208"};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    arguments.insert(arguments.end(), operands.begin(), operands.end());
    return vexal::testing::runProgram(VEXAL_CLI_PATH, arguments, folder_, folder_ + "/stdin.txt");
  }
};

TEST_P(JobsTest, EveryNumberOfWorkersWritesWhatOneWrites) {
  const std::vector<std::string> operands = {"a.txt", "empty.txt", "-", "missing.txt", "b.txt"};
  const ProgramResult one = check("1", operands);
  // The run meets what it should: findings, line errors, warnings about
  // files, a file that cannot be opened.
  ASSERT_EQ(one.status, 2) << one.err;
  ASSERT_GT(one.out.size() + one.err.size(), 10000u);
  EXPECT_THAT(one.err + one.out, HasSubstr("missing.txt"));
  EXPECT_THAT(one.err + one.out, HasSubstr("file is empty"));
  EXPECT_THAT(one.err + one.out, HasSubstr("first line with UTF-8 characters"));
  for (const char* jobs : {"2", "7"}) {
    const ProgramResult many = check(jobs, operands);
    EXPECT_EQ(many.status, one.status) << "-j " << jobs;
    EXPECT_TRUE(many.out == one.out) << "-j " << jobs << ": standard output differs";
    EXPECT_EQ(many.err, one.err) << "-j " << jobs;
  }
}

TEST_P(JobsTest, StandardInputAloneToo) {
  const ProgramResult one = check("1", {"-"});
  ASSERT_EQ(one.status, 1) << one.err;
  const ProgramResult many = check("7", {"-"});
  EXPECT_EQ(many.status, one.status);
  EXPECT_TRUE(many.out == one.out) << "standard output differs";
  EXPECT_EQ(many.err, one.err);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, JobsTest,
    ::testing::Values(Format{"Text", {}}, Format{"Jsonl", {"--format", "jsonl"}},
                      Format{"Csv", {"--format", "csv"}}, Format{"Statistics", {"--statistics"}},
                      Format{"StatisticsJson", {"--statistics", "--format", "json"}},
                      Format{"JsonlWithLog", {"--format", "jsonl", "--log"}},
                      Format{"ForcedTypeAndLevel", {"--type", "DSKO_04", "--level", "2"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
