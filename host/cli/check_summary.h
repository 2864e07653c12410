// What a run of `vexal check` counted, and its summary line.

#ifndef VEXAL_HOST_CLI_CHECK_SUMMARY_H_
#define VEXAL_HOST_CLI_CHECK_SUMMARY_H_

#include <map>
#include <string>

namespace vexal::cli {

struct CheckSummary {
  long records = 0;  // lines checked
  long records_with_findings = 0;
  long findings = 0;
  std::map<std::string, long> findings_by_type;  // only types with findings
  long warnings = 0;                             // length warnings of records
  long errors = 0;                               // lines that could not be checked
  long file_errors = 0;                          // files that could not be read
  long file_warnings = 0;                        // files that are empty or not Latin-1

  bool hadFindingsOrErrors() const { return findings > 0 || errors > 0; }
  // Adds the counts of another part of the run.
  void add(const CheckSummary& other);
};

// The summary line for standard error, ending with LF.
std::string summaryText(const CheckSummary& summary);

// Appends the summary's counts as JSON members, without braces:
// "records":N,...,"file_warnings":N.
void appendSummaryMembers(std::string& out, const CheckSummary& summary);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CHECK_SUMMARY_H_
