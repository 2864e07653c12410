#include "cli/check_summary.h"

#include "cli/json.h"

namespace vexal::cli {
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

}  // namespace vexal::cli
