#include "cli/text_report.h"

#include "cli/encoding.h"
#include "cli/finding_text.h"

namespace vexal::cli {

void TextReport::begin(const Location& where, bool with_type) {
  std::string& out = out_.text();
  out.append(where.file);
  if (where.line > 0) out.append(":").append(std::to_string(where.line));
  out.append(": ");
  if (with_type && where.record_type != nullptr) out.append(where.record_type).append(" ");
}

void TextReport::end(const std::string& text) {
  appendUtf8(out_.text(), text);
  out_.text().push_back('\n');
  out_.written();
}

void TextReport::finding(const Location& where, const pl::PlausiProblem& problem) {
  begin(where, true);
  const char* id = problem.getId();
  end(findingLabel(id != nullptr ? id : "?") + ": " + describeFinding(problem));
}

void TextReport::warning(const Location& where, std::size_t expected_length,
                         std::size_t actual_length) {
  begin(where, true);
  end("warning: " + lengthWarning(expected_length, actual_length));
}

void TextReport::error(const Location& where, std::string_view message) {
  begin(where, false);
  end("error: " + std::string(message));
}

}  // namespace vexal::cli
