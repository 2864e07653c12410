#include "cli/printers.h"

#include "core/encoding.h"
#include "core/finding_text.h"

namespace vexal::cli {

void TextReport::begin(const Location& where, bool with_type) {
  std::string& out = out_.text();
  out.append(palette_.location);
  out.append(names_(where.file));
  if (where.line > 0) out.append(":").append(std::to_string(where.line));
  out.append(":").append(palette_.reset).append(" ");
  if (with_type && where.record_type != nullptr) out.append(where.record_type).append(" ");
}

void TextReport::append(const char* color, std::string_view text) {
  std::string& out = out_.text();
  out.append(color);
  core::appendUtf8(out, text);
  out.append(palette_.reset);
}

void TextReport::end() {
  out_.text().push_back('\n');
  out_.written();
}

void TextReport::finding(const Location& where, const core::Finding& finding) {
  begin(where, true);
  scratch_.clear();
  core::appendFindingLabel(scratch_, finding.id != nullptr ? finding.id : "?");
  append(palette_.place, scratch_);
  out_.text().append(": ");
  scratch_.clear();
  core::appendFindingText(scratch_, finding);
  const std::string& text = scratch_;
  std::string_view code =
      finding.problem_type == pl::ProblemType::kField ? std::string_view() : finding.code;
  if (!code.empty() && std::string_view(text).substr(0, code.size()) == code) {
    append(palette_.code, code);
    core::appendUtf8(out_.text(), std::string_view(text).substr(code.size()));
  } else {
    core::appendUtf8(out_.text(), text);
  }
  end();
}

void TextReport::warning(const Location& where, std::size_t expected_length,
                         std::size_t actual_length) {
  begin(where, true);
  append(palette_.warning, "warning:");
  out_.text().push_back(' ');
  scratch_.clear();
  core::appendLengthWarning(scratch_, expected_length, actual_length);
  core::appendUtf8(out_.text(), scratch_);
  end();
}

void TextReport::error(const Location& where, std::string_view message) {
  labelled(where, palette_.error, "error:", message);
}

std::unique_ptr<Report> TextReport::forChunk(Output& out, Output&) const {
  return std::make_unique<TextReport>(out, palette_);
}

void TextReport::fileWarning(const Location& where, std::string_view message) {
  labelled(where, palette_.warning, "warning:", message);
}

void TextReport::labelled(const Location& where, const char* color, const char* label,
                          std::string_view message) {
  begin(where, false);
  append(color, label);
  out_.text().push_back(' ');
  core::appendUtf8(out_.text(), message);
  end();
}

}  // namespace vexal::cli
