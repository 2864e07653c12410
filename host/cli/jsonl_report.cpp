#include "cli/jsonl_report.h"

#include <charconv>

#include "cli/json.h"

namespace vexal::cli {

void appendJsonObject(std::string& out, const Row& row) {
  char digits[24];
  char separator = '{';
  for (Column key : row.keys) {
    out.push_back(separator);
    separator = ',';
    out.push_back('"');
    out.append(columnName(key));
    out.append("\":");
    const Cell& cell = row[key];
    switch (cell.kind) {
      case Cell::Kind::kNull:
        out.append("null");
        break;
      case Cell::Kind::kNumber: {
        auto end = std::to_chars(digits, digits + sizeof digits, cell.number).ptr;
        out.append(digits, end);
        break;
      }
      case Cell::Kind::kText1252:
        appendJsonString1252(out, cell.text);
        break;
      case Cell::Kind::kTextUtf8:
        appendJsonStringUtf8(out, cell.text);
        break;
    }
  }
  if (separator == '{') out.push_back('{');
  out.append("}\n");
}

void JsonlReport::write(const Row& row) {
  appendJsonObject(out_.text(), row);
  out_.written();
}

}  // namespace vexal::cli
