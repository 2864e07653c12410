// Where the check of a transmission reports what it found, and what a run
// counted.

#ifndef VEXAL_HOST_CLI_REPORT_H_
#define VEXAL_HOST_CLI_REPORT_H_

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "cli/output.h"
#include "core/line_result.h"

namespace vexal::cli {

// What a run of `vexal check` counted.
struct CheckSummary {
  long records = 0;  // lines checked
  long records_with_findings = 0;
  long findings = 0;
  // Only types with findings; looked up by a view, without a string made.
  std::map<std::string, long, std::less<>> findings_by_type;
  long warnings = 0;       // length warnings of records
  long errors = 0;         // lines that could not be checked
  long file_errors = 0;    // files that could not be read
  long file_warnings = 0;  // files that are empty or not Latin-1

  bool hadFindingsOrErrors() const { return findings > 0 || errors > 0; }
  // Adds the counts of another part of the run.
  void add(const CheckSummary& other);
};

// The summary line for standard error, ending with LF.
std::string summaryText(const CheckSummary& summary);

// Appends the summary's counts as JSON members, without braces:
// "records":N,...,"file_warnings":N.
void appendSummaryMembers(std::string& out, const CheckSummary& summary);

// The line a report is about.
struct Location {
  std::string_view file;              // UTF-8, as named on the command line
  long line = 0;                      // 1-based; 0 for the file as a whole
  const char* record_type = nullptr;  // null when not known
  // The line's bytes (Latin-1, without line end) for a report that shows
  // the record itself; empty where not known. Valid during the call.
  std::string_view bytes;
};

// Receives the results of a check in input order. Per checked line: at most
// one warning, then the findings, then the record; a line that could not
// be checked gives one error instead (after a warning when it was cut); a
// file warning may come before either. Texts are Latin-1 unless said
// otherwise. Implementations write to an Output; each is used by one
// thread.
class Report {
 public:
  virtual ~Report() = default;

  virtual void finding(const Location& where, const core::Finding& finding) = 0;
  virtual void record(const Location& where, std::size_t findings) = 0;
  // The line is shorter or longer than its layout implies.
  virtual void warning(const Location& where, std::size_t expected_length,
                       std::size_t actual_length) = 0;
  // A line (or with line 0 a whole file) that could not be checked.
  virtual void error(const Location& where, std::string_view message) = 0;
  // Something about a whole file that its lines do not show: it is empty,
  // or not in Latin-1. The line is the first one concerned, or 0. Comes
  // before anything else about that line.
  virtual void fileWarning(const Location& where, std::string_view message) = 0;
  // After the last file, with what the run counted.
  virtual void finish(const CheckSummary&) {}

  // For a check in parallel: a report of the same kind for the lines of
  // one chunk, which a worker thread uses alone. It writes its text to out
  // and what it echoes to standard error to err (both not owned). Safe to
  // call from several threads at once.
  virtual std::unique_ptr<Report> forChunk(Output& out, Output& err) const = 0;
  // Takes in what a report that forChunk() made has counted; chunk by
  // chunk, in input order. Reports that only write count nothing.
  virtual void absorb(Report& chunk) {}
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_REPORT_H_
