#include "cli/checker.h"

#include "core/line_source.h"

namespace vexal::cli {

void reportResult(const core::LineResult& result, std::string_view file, Report& report,
                  CheckSummary& summary) {
  if (result.kind == core::LineResult::Kind::kEmpty) return;
  const Location where{file, result.line, result.record_type};
  if (result.lengthDiffers()) {
    ++summary.warnings;
    report.warning(where, result.expected_length, result.actual_length);
  }
  if (result.kind == core::LineResult::Kind::kError) {
    ++summary.errors;
    report.error(where, result.error);
    return;
  }
  for (const core::Finding& finding : result.findings) report.finding(where, finding);
  const std::size_t count = result.findings.size();
  report.record(where, count);
  ++summary.records;
  if (count > 0) {
    ++summary.records_with_findings;
    summary.findings += static_cast<long>(count);
    summary.findings_by_type[result.record_type] += static_cast<long>(count);
  }
}

void reportFileWarning(std::string_view file, long line, std::string_view message, Report& report,
                       CheckSummary& summary) {
  ++summary.file_warnings;
  report.fileWarning(Location{file, line, nullptr}, message);
}

Checker::Checker(RuleSetProvider& rule_sets, Report& report) : core_(rule_sets), report_(report) {}

bool Checker::checkStream(ByteSource& source, std::string_view file) {
  core::LineSource lines(source);
  core::InputLine line;
  while (lines.next(line)) {
    current_ = Location{file, line.number, nullptr};
    if (!line.file_warning.empty()) fileWarning(file, line.number, line.file_warning);
    reportResult(core_.check(line), file, report_, summary_);
    if (progress_ != nullptr) progress_->lineDone(line.end_offset);
  }
  if (std::string failure = lines.failure(); !failure.empty()) {
    fileError(file, failure);
    return false;
  }
  if (std::string warning = lines.endWarning(); !warning.empty()) fileWarning(file, 0, warning);
  return true;
}

void Checker::checkLine(std::string_view line, std::string_view file, long line_number) {
  if (line.empty()) return;
  current_ = Location{file, line_number, nullptr};
  reportResult(core_.check(line, line_number), file, report_, summary_);
}

void Checker::fileError(std::string_view file, std::string_view message) {
  ++summary_.file_errors;
  report_.error(Location{file, 0, nullptr}, message);
}

void Checker::fileWarning(std::string_view file, long line, std::string_view message) {
  reportFileWarning(file, line, message, report_, summary_);
}

}  // namespace vexal::cli
