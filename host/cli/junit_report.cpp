#include "cli/junit_report.h"

#include "core/encoding.h"
#include "core/finding_text.h"

namespace vexal::cli {
namespace {

// Whether XML 1.0 takes the code point as a character.
bool xmlCharacter(char32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

void appendXml(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out.append("&amp;");
      return;
    case '<':
      out.append("&lt;");
      return;
    case '>':
      out.append("&gt;");
      return;
    case '"':
      out.append("&quot;");
      return;
    case '\'':
      out.append("&apos;");
      return;
    case '\t':
      out.append("&#9;");
      return;
    case '\n':
      out.append("&#10;");
      return;
    case '\r':
      out.append("&#13;");
      return;
    default:
      break;
  }
  if (!xmlCharacter(c)) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.append("\\x").push_back(kHex[(c >> 4) & 0xF]);
    out.push_back(kHex[c & 0xF]);
    return;
  }
  core::appendCodePoint(out, c);
}

std::string_view typeOf(const Location& where) {
  return where.record_type != nullptr ? where.record_type : "";
}

}  // namespace

void appendXml1252(std::string& out, std::string_view text) {
  for (char c : text) appendXml(out, core::codePointOf1252(static_cast<unsigned char>(c)));
}

void appendXmlUtf8(std::string& out, std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t c = 0;
    if (!core::decodeUtf8(text, i, c)) {
      c = 0xFFFD;
      ++i;
    }
    appendXml(out, c);
  }
}

JunitReport::Suite& JunitReport::suite(std::string_view file, std::string_view record_type) {
  // Lines come file by file: the suite sought is nearly always a late one.
  for (auto it = suites_.rbegin(); it != suites_.rend(); ++it) {
    if (it->file == file && it->record_type == record_type) return *it;
  }
  Suite& made = suites_.emplace_back();
  made.file = file;
  made.record_type = record_type;
  return made;
}

void JunitReport::testcaseStart(Suite& suite, const Location& where) {
  ++suite.tests;
  std::string& out = suite.cases;
  out.append("    <testcase name=\"");
  appendXmlUtf8(out, where.file);
  if (where.line > 0) out.append(":").append(std::to_string(where.line));
  out.append("\" classname=\"");
  appendXmlUtf8(out, where.file);
  out.push_back('.');
  appendXml1252(out, suite.record_type.empty() ? "unbekannt" : suite.record_type);
  out.append("\" time=\"0\"");
}

void JunitReport::finding(const Location& where, const core::Finding& finding) {
  ++pending_failures_;
  scratch_.clear();
  core::appendFindingText(scratch_, finding);
  const bool field = finding.problem_type == pl::ProblemType::kField;
  pending_.append("      <failure message=\"");
  appendXml1252(pending_, scratch_);
  pending_.append("\" type=\"");
  appendXml1252(pending_, !field && !finding.code.empty() ? finding.code
                          : finding.check != nullptr      ? finding.check
                                                          : "");
  pending_.append("\">");
  scratch_.assign("Kennung: ");
  core::appendFindingLabel(scratch_, finding.id != nullptr ? finding.id : "?");
  scratch_.append("\nFeld: ");
  if (field) {
    const char* name = finding.shown_display_name != nullptr ? finding.shown_display_name
                                                             : finding.reference_field;
    scratch_.append(name != nullptr ? name : "-");
    if (finding.reference_field != nullptr) {
      scratch_.append(" (").append(finding.reference_field).append(")");
    }
  } else {
    // A rule's check names its field: "UV[2]#P_GTST" checks UV[2].GTST.
    const std::string_view id = finding.id != nullptr ? finding.id : "";
    const std::string_view check = core::checkOf(id);
    const std::size_t hash = id.rfind('#');
    if (check.substr(0, 2) != "P_") {
      scratch_.append("-");
    } else {
      if (hash != std::string_view::npos && hash > 0)
        scratch_.append(id.substr(0, hash)).append(".");
      scratch_.append(check.substr(2));
    }
  }
  if (finding.correction_info != nullptr)
    scratch_.append("\nKorrektur: ").append(finding.correction_info);
  for (char c : scratch_) {
    if (c == '\n') {
      pending_.push_back('\n');  // as a line break of the text, not a reference
    } else {
      appendXml(pending_, core::codePointOf1252(static_cast<unsigned char>(c)));
    }
  }
  pending_.append("</failure>\n");
  (void)where;
}

void JunitReport::record(const Location& where, std::size_t) {
  Suite& into = suite(where.file, typeOf(where));
  testcaseStart(into, where);
  if (pending_.empty()) {
    into.cases.append("/>\n");
  } else {
    into.cases.append(">\n").append(pending_).append("    </testcase>\n");
  }
  into.failures += pending_failures_;
  pending_.clear();
  pending_failures_ = 0;
}

void JunitReport::warning(const Location&, std::size_t expected_length, std::size_t actual_length) {
  scratch_.clear();
  core::appendLengthWarning(scratch_, expected_length, actual_length);
  pending_.append("      <system-out>");
  appendXml1252(pending_, scratch_);
  pending_.append("</system-out>\n");
}

void JunitReport::error(const Location& where, std::string_view message) {
  // A line error, or with line 0 a file that could not be read; a line cut
  // by its layout before its check failed stays with its record type.
  Suite& into = suite(where.file, typeOf(where));
  testcaseStart(into, where);
  ++into.errors;
  into.cases.append(">\n").append(pending_).append("      <error message=\"");
  appendXml1252(into.cases, message);
  into.cases.append(where.line > 0 ? "\" type=\"line_error\"/>\n" : "\" type=\"file_error\"/>\n");
  into.cases.append("    </testcase>\n");
  pending_.clear();
  pending_failures_ = 0;
}

void JunitReport::fileWarning(const Location& where, std::string_view message) {
  // Shown with the file's suite of unknown record type; no test of its own.
  Suite& into = suite(where.file, "");
  if (!into.system_out.empty()) into.system_out.append("&#10;");
  if (where.line > 0)
    into.system_out.append("line ").append(std::to_string(where.line)).append(": ");
  appendXml1252(into.system_out, message);
}

std::unique_ptr<Report> JunitReport::forChunk(Output& out, Output&) const {
  return std::make_unique<JunitReport>(out);
}

void JunitReport::absorb(Report& chunk) {
  for (Suite& part : static_cast<JunitReport&>(chunk).suites_) {
    Suite& into = suite(part.file, part.record_type);
    into.tests += part.tests;
    into.failures += part.failures;
    into.errors += part.errors;
    into.cases.append(part.cases);
    if (!into.system_out.empty() && !part.system_out.empty()) into.system_out.append("&#10;");
    into.system_out.append(part.system_out);
  }
  static_cast<JunitReport&>(chunk).suites_.clear();
}

void JunitReport::finish(const CheckSummary& summary) {
  std::string& out = out_.text();
  out.append(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"vexal check\" tests=\"");
  long tests = 0;
  for (const Suite& s : suites_) tests += s.tests;
  out.append(std::to_string(tests))
      .append("\" failures=\"")
      .append(std::to_string(summary.findings));
  out.append("\" errors=\"").append(std::to_string(summary.errors + summary.file_errors));
  out.append("\" time=\"0\">\n");
  out_.written();
  for (std::size_t i = 0; i < suites_.size(); ++i) {
    Suite& s = suites_[i];
    out.append("  <testsuite name=\"");
    appendXmlUtf8(out, s.file);
    out.append(" ");
    appendXml1252(out, s.record_type.empty() ? "unbekannt" : s.record_type);
    out.append("\" id=\"")
        .append(std::to_string(i))
        .append("\" tests=\"")
        .append(std::to_string(s.tests));
    out.append("\" failures=\"").append(std::to_string(s.failures));
    out.append("\" errors=\"").append(std::to_string(s.errors));
    out.append("\" skipped=\"0\" time=\"0\">\n");
    out.append(s.cases);
    if (!s.system_out.empty())
      out.append("    <system-out>").append(s.system_out).append("</system-out>\n");
    out.append("  </testsuite>\n");
    std::string().swap(s.cases);
    out_.written();
  }
  out.append("</testsuites>\n");
  out_.written();
}

}  // namespace vexal::cli
