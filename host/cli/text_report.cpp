#include "cli/printers.h"

#include "core/encoding.h"
#include "core/finding_text.h"

#include <charconv>
#include <cstring>

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

namespace {

// One line made of pieces, written into the output's text at once: room
// for the longest the pieces can give is made first, and what they do
// not take is cut off again.
class LineWriter {
 public:
  LineWriter(std::string& out, std::size_t room) : out_(out), start_(out.size()) {
    out.resize(start_ + room);
    next_ = out.data() + start_;
  }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Bytes as they are (UTF-8, colours).
  void bytes(std::string_view text) {
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
  }
  void byte(char c) { *next_++ = c; }
  // Latin-1 text, which needs core::utf8Bound of its length.
  void latin1(std::string_view text) { next_ = core::writeUtf8(next_, text); }
  void end() {
    *next_++ = '\n';
    out_.resize(static_cast<std::size_t>(next_ - out_.data()));
  }

 private:
  std::string& out_;
  std::size_t start_;
  char* next_;
};

// Where a finding stands (see core::appendFindingLabel) as one or two
// pieces of its id: "P_ED", "UV[2].BBNRGT", or "UV[2]" and "P_BBNRGT".
struct Label {
  std::string_view first;
  std::string_view second;  // empty when the label is one piece
};

Label labelOf(std::string_view id) {
  const std::size_t hash = id.rfind('#');
  if (hash == std::string_view::npos) return {id, {}};
  const std::string_view place = id.substr(0, hash);
  const std::string_view check = id.substr(hash + 1);
  if (place.empty()) return {check, {}};
  const std::size_t dot = place.rfind('.');
  std::string_view last = dot == std::string_view::npos ? place : place.substr(dot + 1);
  last = last.substr(0, last.find('['));
  if (last == check) return {place, {}};
  return {place, check};
}

}  // namespace

void TextReport::finding(const Location& where, const core::Finding& finding) {
  // What the finding says: a rule finding's description as it is, unless
  // it names an exception too; anything else made in scratch_.
  std::string_view text;
  const char* exception = finding.exception;
  if (finding.problem_type != pl::ProblemType::kField && finding.short_description != nullptr &&
      (exception == nullptr || *exception == '\0' ||
       std::strstr(finding.short_description, exception) != nullptr)) {
    text = finding.short_description;
  } else {
    scratch_.clear();
    core::appendFindingText(scratch_, finding);
    text = scratch_;
  }
  std::string_view code =
      finding.problem_type == pl::ProblemType::kField ? std::string_view() : finding.code;
  if (code.empty() || text.substr(0, code.size()) != code) code = {};
  text.remove_prefix(code.size());

  const Label label = labelOf(finding.id != nullptr ? finding.id : "?");
  const std::string& file = names_(where.file);
  char digits[24];
  const std::size_t digit_count =
      where.line > 0 ? static_cast<std::size_t>(
                           std::to_chars(digits, digits + sizeof digits, where.line).ptr - digits)
                     : 0;
  const std::string_view record_type =
      where.record_type != nullptr ? std::string_view(where.record_type) : std::string_view();
  const std::string_view location = location_;
  const std::string_view place = place_;
  const std::string_view code_color = code_;
  const std::string_view reset = reset_;

  const std::size_t latin1 = label.first.size() + label.second.size() + code.size() + text.size();
  const std::size_t colours = location.size() + place.size() +
                              (code.empty() ? 0 : code_color.size() + reset.size()) +
                              2 * reset.size();
  LineWriter line(out_.text(), file.size() + digit_count + record_type.size() + colours + 8 +
                                   core::utf8Bound(latin1) + 16);
  // "FILE:LINE: RECORD-TYPE PLACE: TEXT", as begin(), append() and end()
  // write it.
  line.bytes(location);
  line.bytes(file);
  if (digit_count > 0) {
    line.byte(':');
    line.bytes(std::string_view(digits, digit_count));
  }
  line.byte(':');
  line.bytes(reset);
  line.byte(' ');
  if (where.record_type != nullptr) {
    line.bytes(record_type);
    line.byte(' ');
  }
  line.bytes(place);
  line.latin1(label.first);
  if (!label.second.empty()) {
    line.byte(' ');
    line.latin1(label.second);
  }
  line.bytes(reset);
  line.byte(':');
  line.byte(' ');
  if (!code.empty()) {
    line.bytes(code_color);
    line.latin1(code);
    line.bytes(reset);
  }
  line.latin1(text);
  line.end();
  out_.written();
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
