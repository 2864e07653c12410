// --jobs N and -j N of `vexal check`: parsed in every spelling, refused
// where they make no sense.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace vexal::cli {
namespace {

struct JobsCase {
  const char* name;
  std::vector<std::string> arguments;
  int jobs;           // when parsed
  const char* error;  // "" when parsed
};

class JobsOptionTest : public ::testing::TestWithParam<JobsCase> {};

TEST_P(JobsOptionTest, ParsesOrRefuses) {
  const JobsCase& c = GetParam();
  ParseResult parsed = parseCommandLine(c.arguments);
  EXPECT_EQ(parsed.error, c.error);
  if (parsed.error.empty()) {
    EXPECT_EQ(parsed.line.jobs, c.jobs);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, JobsOptionTest,
    ::testing::Values(JobsCase{"Default", {"check", "a.txt"}, 0, ""},
                      JobsCase{"Long", {"check", "--jobs", "3", "a.txt"}, 3, ""},
                      JobsCase{"LongWithEquals", {"check", "--jobs=12", "a.txt"}, 12, ""},
                      JobsCase{"Short", {"check", "-j", "2", "a.txt"}, 2, ""},
                      JobsCase{"ShortJoined", {"check", "-j7", "a.txt"}, 7, ""},
                      JobsCase{"OneIsOneThread", {"-j", "1", "check", "a.txt"}, 1, ""},
                      JobsCase{"Most", {"check", "-j", "256", "a.txt"}, 256, ""},
                      JobsCase{"Zero",
                               {"check", "-j", "0", "a.txt"},
                               0,
                               "--jobs wants a number from 1 to 256, not '0'"},
                      JobsCase{"TooMany",
                               {"check", "--jobs=257", "a.txt"},
                               0,
                               "--jobs wants a number from 1 to 256, not '257'"},
                      JobsCase{"NotANumber",
                               {"check", "-jx", "a.txt"},
                               0,
                               "--jobs wants a number from 1 to 256, not 'x'"},
                      JobsCase{"Missing", {"check", "a.txt", "-j"}, 0, "-j needs a value"},
                      JobsCase{"NotForLayout",
                               {"layout", "-j", "2", "DSKO_04"},
                               0,
                               "--jobs does not apply to layout"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vexal::cli
