// vexal check in one thread, the counts of a run and the runtime's log
// lines.

#include "cli/check_run.h"

#include "cli/printers.h"
#include "core/encoding.h"
#include "core/result_stream.h"

namespace vexal::cli {

void reportResult(const core::LineResult& result, std::string_view file, Report& report,
                  CheckSummary& summary, std::string_view bytes) {
  if (result.kind == core::LineResult::Kind::kEmpty) return;
  const Location where{file, result.line, result.record_type, bytes};
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
    const std::string_view type(result.record_type);
    auto counted = summary.findings_by_type.find(type);
    if (counted == summary.findings_by_type.end()) {
      counted = summary.findings_by_type.emplace(std::string(type), 0).first;
    }
    counted->second += static_cast<long>(count);
  }
}

void reportFileWarning(std::string_view file, long line, std::string_view message, Report& report,
                       CheckSummary& summary) {
  ++summary.file_warnings;
  report.fileWarning(Location{file, line, nullptr, {}}, message);
}

void reportFileError(std::string_view file, std::string_view message, Report& report,
                     CheckSummary& summary) {
  ++summary.file_errors;
  report.error(Location{file, 0, nullptr, {}}, message);
}

SequentialCheck::SequentialCheck(core::RuleSetProvider& rule_sets, Report& report,
                                 ProgressMeter* progress)
    : checker_(rule_sets), report_(report), progress_(progress) {}

void SequentialCheck::startFile(std::string_view name, std::int64_t size, int index, int count) {
  if (progress_ != nullptr) progress_->startFile(name, size, index, count);
}

bool SequentialCheck::checkStream(core::ByteSource& source, std::string_view file) {
  core::ResultStream stream(source, &checker_);
  core::StreamItem item;
  bool readable = true;
  while (stream.next(item)) {
    switch (item.kind) {
      case core::StreamItem::Kind::kLine:
        if (!item.line.empty()) {
          current_ = Location{file, item.line.number, nullptr, {}};
          reportResult(stream.result(item), file, report_, summary_, item.line.bytes);
        }
        if (progress_ != nullptr) progress_->lineDone(item.line.end_offset);
        break;
      case core::StreamItem::Kind::kFileWarning:
        reportFileWarning(file, item.warning_line, item.message, report_, summary_);
        break;
      case core::StreamItem::Kind::kReadFailure:
        reportFileError(file, item.message, report_, summary_);
        readable = false;
        break;
    }
  }
  return readable;
}

void SequentialCheck::fileError(std::string_view file, std::string_view message) {
  reportFileError(file, message, report_, summary_);
}

namespace {

std::string plural(long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

void appendNumber(std::string& out, const char* key, long value) {
  out.append(",\"").append(key).append("\":").append(std::to_string(value));
}

}  // namespace

void CheckSummary::add(const CheckSummary& other) {
  records += other.records;
  records_with_findings += other.records_with_findings;
  findings += other.findings;
  for (const auto& [type, count] : other.findings_by_type) findings_by_type[type] += count;
  warnings += other.warnings;
  errors += other.errors;
  file_errors += other.file_errors;
  file_warnings += other.file_warnings;
}

std::string summaryText(const CheckSummary& s) {
  std::string text = "vexal: " + plural(s.records, "record", "records") + " checked, " +
                     std::to_string(s.records_with_findings) + " with findings, " +
                     plural(s.findings, "finding", "findings");
  if (!s.findings_by_type.empty()) {
    text += " (";
    bool first = true;
    for (const auto& [type, count] : s.findings_by_type) {
      if (!first) text += ", ";
      first = false;
      text += type + ": " + std::to_string(count);
    }
    text += ")";
  }
  text += ", " + plural(s.warnings, "warning", "warnings") + ", " +
          plural(s.errors, "line error", "line errors");
  if (s.file_errors > 0) {
    text += ", " + plural(s.file_errors, "unreadable file", "unreadable files");
  }
  if (s.file_warnings > 0) {
    text += ", " + plural(s.file_warnings, "file warning", "file warnings");
  }
  text += "\n";
  return text;
}

void appendSummaryMembers(std::string& out, const CheckSummary& s) {
  out.append("\"records\":").append(std::to_string(s.records));
  appendNumber(out, "records_with_findings", s.records_with_findings);
  appendNumber(out, "findings", s.findings);
  out.append(",\"findings_by_record_type\":{");
  bool first = true;
  for (const auto& [type, count] : s.findings_by_type) {
    if (!first) out.push_back(',');
    first = false;
    appendJsonString1252(out, type);
    out.append(":").append(std::to_string(count));
  }
  out.push_back('}');
  appendNumber(out, "warnings", s.warnings);
  appendNumber(out, "line_errors", s.errors);
  appendNumber(out, "unreadable_files", s.file_errors);
  appendNumber(out, "file_warnings", s.file_warnings);
}

void StderrLog::write(pl::LogLevel level, std::string_view line) {
  std::string& out = out_.text();
  if (where_ != nullptr && !where_->file.empty()) {
    core::appendShownName(out, where_->file);
    if (where_->line > 0) out.append(":").append(std::to_string(where_->line));
    out.append(": ");
  }
  out.append(level == pl::LogLevel::kTrace ? "trace: " : "error: ");
  core::appendUtf8(out, line);
  out.push_back('\n');
  out_.written();
}

}  // namespace vexal::cli
