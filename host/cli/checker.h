// Checking transmissions line by line.

#ifndef VEXAL_HOST_CLI_CHECKER_H_
#define VEXAL_HOST_CLI_CHECKER_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_summary.h"
#include "cli/line_reader.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/rule_sets.h"
#include "pl/check_record.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace vexal::cli {

// Checks record lines with the rule sets of a provider and hands the
// results to a report: one RuntimeContext for all lines, reset before each;
// each record type's rule set, layout and line cutter made once, on first
// use. Warns about files that are empty or not Latin-1. Borrows provider,
// report and progress meter; owns the context (configure it through
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
  // Told after every line; null for none.
  void showProgress(ProgressMeter* progress) { progress_ = progress; }

  // Checks every line of the source, reporting under the file name (UTF-8).
  // False when reading failed; that is reported as an error of the file.
  // A source without records gives a file warning.
  bool checkStream(ByteSource& source, std::string_view file);
  // Checks one line (without line end); empty lines are skipped.
  void checkLine(std::string_view line, std::string_view file, long line_number);
  // Reports a file that could not be read.
  void fileError(std::string_view file, std::string_view message);
  void fileWarning(std::string_view file, long line, std::string_view message);

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
  ProgressMeter* progress_ = nullptr;
  std::vector<Cutter> cutters_;
  CheckSummary summary_;
  Location current_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CHECKER_H_
