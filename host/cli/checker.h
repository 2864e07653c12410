// Checking transmissions line by line.

#ifndef VEXAL_HOST_CLI_CHECKER_H_
#define VEXAL_HOST_CLI_CHECKER_H_

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/line_reader.h"
#include "cli/report.h"
#include "cli/rule_sets.h"
#include "pl/check_record.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace vexal::cli {

// What a run of the checker counted.
struct CheckSummary {
  long records = 0;  // lines checked
  long records_with_findings = 0;
  long findings = 0;
  std::map<std::string, long> findings_by_type;  // only types with findings
  long warnings = 0;
  long errors = 0;       // lines that could not be checked
  long file_errors = 0;  // files that could not be read

  bool hadFindingsOrErrors() const { return findings > 0 || errors > 0; }
};

// The summary line(s) for standard error, ending with LF.
std::string summaryText(const CheckSummary& summary);

// Checks record lines with the rule sets of a provider and hands the
// results to a report: one RuntimeContext for all lines, reset before each;
// each record type's rule set, layout and line cutter made once, on first
// use. Borrows provider and report; owns the context (configure it through
// context() before checking) and the cutters. Not thread-safe.
class Checker {
 public:
  Checker(RuleSetProvider& rule_sets, Report& report);
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;
  ~Checker();

  pl::RuntimeContext& context() { return ctx_; }
  // Checks every line as this record type instead of telling it from the
  // line; empty switches back.
  void forceRecordType(std::string record_type) { forced_type_ = std::move(record_type); }

  // Checks every line of the source, reporting under the file name (UTF-8).
  // False when reading failed; that is reported as an error of the file.
  bool checkStream(ByteSource& source, std::string_view file);
  // Checks one line (without line end); empty lines are skipped.
  void checkLine(std::string_view line, std::string_view file, long line_number);
  // Reports a file that could not be read.
  void fileError(std::string_view file, std::string_view message);

  const CheckSummary& summary() const { return summary_; }
  // The line being checked, for log lines.
  const Location& current() const { return current_; }

 private:
  struct Cutter {
    const LoadedRecordType* type;
    std::unique_ptr<host::RecordInput> input;  // null when the layout cannot be cut
    std::unique_ptr<pl::RecordChecker> checker;
    std::string error;
  };

  // The loaded record type for a line, or null after reporting why the
  // line cannot be checked.
  const LoadedRecordType* typeOf(std::string_view line);
  Cutter& cutterFor(const LoadedRecordType& type);
  void lineError(std::string_view message);

  RuleSetProvider& rule_sets_;
  Report& report_;
  pl::RuntimeContext ctx_;
  std::string forced_type_;
  std::vector<Cutter> cutters_;
  CheckSummary summary_;
  Location current_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CHECKER_H_
