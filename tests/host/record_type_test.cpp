// Which record type a line is: characters 1-4 and, for DSAS and DSLN, the
// version in characters 40-41.

#include "core/record_type.h"

#include <gtest/gtest.h>

#include <string>

namespace vexal::cli {
namespace {

// KE, then VF 5, ABSN 15 and EPNR 15 blanks, then the version and a tail.
std::string line(const std::string& ke, const std::string& version) {
  std::string text = ke;
  text.resize(39, ' ');
  return text + version + "    ";
}

struct Case {
  std::string line;
  const char* type;  // null: cannot be told
  const char* reason_part;
};

class DetectionTest : public ::testing::TestWithParam<Case> {};

TEST_P(DetectionTest, TellsTheRecordType) {
  const Case& c = GetParam();
  core::Detection d = core::detectRecordType(c.line);
  if (c.type == nullptr) {
    EXPECT_EQ(d.record_type, nullptr);
    EXPECT_NE(d.reason.find(c.reason_part), std::string::npos) << d.reason;
  } else {
    ASSERT_NE(d.record_type, nullptr) << d.reason;
    EXPECT_STREQ(d.record_type, c.type);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DetectionTest,
    ::testing::Values(
        // DSKO is DSKO_04 whatever its version field says.
        Case{line("DSKO", "04"), "DSKO_04", ""}, Case{line("DSKO", "03"), "DSKO_04", ""},
        Case{"DSKO", "DSKO_04", ""}, Case{line("DSAS", "01"), "DSAS_01", ""},
        Case{line("DSAS", "02"), "DSAS_02", ""}, Case{line("DSLN", "01"), "DSLN_01", ""},
        Case{line("DSLN", "02"), "DSLN_02", ""},
        // The version sits exactly at characters 40-41.
        Case{std::string(37, ' ').replace(0, 4, "DSAS") + "0102", "DSAS_02", ""},
        Case{line("DSAS", "03"), nullptr, "\"03\""}, Case{line("DSLN", "1 "), nullptr, "\"1 \""},
        Case{std::string("DSAS") + std::string(36, ' '), nullptr, "too short"},
        Case{line("dsko", "04"), nullptr, "\"dsko\""}, Case{"", nullptr, "\"\""},
        Case{"DS\x01K", nullptr, "\"DS?K\""}));

}  // namespace
}  // namespace vexal::cli
