// vexal check --format junit: JUnit XML, which build pipelines show as
// test results.

#ifndef VEXAL_HOST_CLI_JUNIT_REPORT_H_
#define VEXAL_HOST_CLI_JUNIT_REPORT_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/report.h"

namespace vexal::cli {

// Appends Latin-1 text escaped for XML text and quoted attributes: & < >
// " ' as references, LF, CR and TAB as character references, and the
// control characters XML 1.0 cannot hold as "\xNN".
void appendXml1252(std::string& out, std::string_view text1252);
// The same for UTF-8 text (file names).
void appendXmlUtf8(std::string& out, std::string_view utf8);

// One testsuite per file and record type, in the order they first occur;
// a testcase per record named by its location ("FILE:LINE"); a failure
// per finding; line errors and unreadable files as error elements (in the
// file's suite of unknown record type unless the line's type is known),
// length warnings as system-out.
// Suites are written when the run finishes, since each starts with its
// counts. A report made by forChunk() collects a chunk's suites, which
// the run's report takes in chunk by chunk. Writes to out (not owned);
// not thread-safe.
class JunitReport final : public Report {
 public:
  explicit JunitReport(Output& out) : out_(out) {}

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;
  // chunk is a JunitReport that forChunk() made.
  void absorb(Report& chunk) override;

 private:
  struct Suite {
    std::string file;         // UTF-8
    std::string record_type;  // empty for lines of unknown type
    long tests = 0;
    long failures = 0;  // failure elements, one per finding
    long errors = 0;
    std::string cases;       // the testcase elements
    std::string system_out;  // warnings about the file, escaped
  };

  Suite& suite(std::string_view file, std::string_view record_type);
  void testcaseStart(Suite& suite, const Location& where);

  Output& out_;
  std::vector<Suite> suites_;
  std::string pending_;  // the failures and output of the line being reported
  long pending_failures_ = 0;
  std::string scratch_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_JUNIT_REPORT_H_
