// The command line's check loop: the lines of a file through a core
// checker into a report.

#ifndef VEXAL_HOST_CLI_CHECKER_H_
#define VEXAL_HOST_CLI_CHECKER_H_

#include <string>
#include <string_view>

#include "cli/check_summary.h"
#include "cli/line_reader.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/rule_sets.h"
#include "core/checker.h"
#include "core/line_result.h"
#include "pl/runtime_context.h"

namespace vexal::cli {

// Hands a line's result to the report of the file (UTF-8) in the order a
// Report expects, and counts it in the summary. Empty lines give nothing.
void reportResult(const core::LineResult& result, std::string_view file, Report& report,
                  CheckSummary& summary);

// Reports a warning about a whole file (see Report::fileWarning) and
// counts it.
void reportFileWarning(std::string_view file, long line, std::string_view message, Report& report,
                       CheckSummary& summary);

// Checks record lines with the rule sets of a provider through one
// core::Checker and hands the results to a report, counting them. Warns
// about files that are empty or not Latin-1. Borrows provider, report and
// progress meter; owns the core checker. Not thread-safe.
class Checker {
 public:
  Checker(RuleSetProvider& rule_sets, Report& report);
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  // Configure it (or use configure()) before checking.
  pl::RuntimeContext& context() { return core_.context(); }
  void configure(const core::CheckOptions& options) { core_.configure(options); }
  // Checks every line as this record type instead of telling it from the
  // line; empty switches back.
  void forceRecordType(std::string record_type) { core_.forceRecordType(std::move(record_type)); }
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
  core::Checker core_;
  Report& report_;
  ProgressMeter* progress_ = nullptr;
  CheckSummary summary_;
  Location current_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CHECKER_H_
