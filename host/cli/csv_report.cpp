// The csv printer, with fields as RFC 4180 writes them.

#include <charconv>
#include <cstdint>

#include "cli/printers.h"
#include "core/encoding.h"

namespace vexal::cli {

void appendCsvField(std::string& out, std::string_view text) {
  bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  for (std::size_t i = 0; i < text.size() && !quote; ++i) {
    const char c = text[i];
    quote = c == ',' || c == '"' || c == '\r' || c == '\n';
  }
  if (!quote) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

void appendCsvHeader(std::string& out) {
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (i > 0) out.push_back(',');
    out.append(columnName(static_cast<Column>(i)));
  }
  out.append("\r\n");
}

void appendCsvRow(std::string& out, const Row& row, core::ShownNameCache& names) {
  static_assert(kColumnCount <= 32);
  std::uint32_t present = 0;
  for (Column key : row.keys) present |= std::uint32_t{1} << static_cast<unsigned>(key);
  std::string text;
  char digits[24];
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (i > 0) out.push_back(',');
    if ((present & (std::uint32_t{1} << i)) == 0) continue;
    const Cell& cell = row[static_cast<Column>(i)];
    switch (cell.kind) {
      case Cell::Kind::kNull:
        break;
      case Cell::Kind::kNumber:
        out.append(digits, std::to_chars(digits, digits + sizeof digits, cell.number).ptr);
        break;
      case Cell::Kind::kText1252:
        text.clear();
        core::appendUtf8(text, cell.text);
        appendCsvField(out, text);
        break;
      case Cell::Kind::kTextUtf8:  // a file name
        appendCsvField(out, names(cell.text));
        break;
    }
  }
  out.append("\r\n");
}

CsvReport::CsvReport(Output& out, bool header) : out_(out) {
  if (!header) return;
  appendCsvHeader(out_.text());
  out_.written();
}

std::unique_ptr<Report> CsvReport::forChunk(Output& out, Output&) const {
  return std::make_unique<CsvReport>(out, false);
}

void CsvReport::write(const Row& row) {
  appendCsvRow(out_.text(), row, names_);
  out_.written();
}

}  // namespace vexal::cli
