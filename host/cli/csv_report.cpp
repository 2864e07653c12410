#include "cli/csv_report.h"

#include <algorithm>

#include "cli/csv.h"
#include "cli/encoding.h"

namespace vexal::cli {

void appendCsvHeader(std::string& out) {
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (i > 0) out.push_back(',');
    out.append(columnName(static_cast<Column>(i)));
  }
  out.append("\r\n");
}

void appendCsvRow(std::string& out, const Row& row) {
  std::string text;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (i > 0) out.push_back(',');
    const auto column = static_cast<Column>(i);
    if (std::find(row.keys.begin(), row.keys.end(), column) == row.keys.end()) continue;
    const Cell& cell = row[column];
    switch (cell.kind) {
      case Cell::Kind::kNull:
        break;
      case Cell::Kind::kNumber:
        out.append(std::to_string(cell.number));
        break;
      case Cell::Kind::kText1252:
        text.clear();
        appendUtf8(text, cell.text);
        appendCsvField(out, text);
        break;
      case Cell::Kind::kTextUtf8:
        appendCsvField(out, cell.text);
        break;
    }
  }
  out.append("\r\n");
}

CsvReport::CsvReport(Output& out) : out_(out) {
  appendCsvHeader(out_.text());
  out_.written();
}

void CsvReport::write(const Row& row) {
  appendCsvRow(out_.text(), row);
  out_.written();
}

}  // namespace vexal::cli
