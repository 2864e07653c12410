#include "cli/jsonl_report.h"

#include <array>
#include <charconv>
#include <string>

#include "cli/json.h"

namespace vexal::cli {

namespace {

// "\"kind\":" and so on, made once.
const std::array<std::string, kColumnCount>& keyTexts() {
  static const std::array<std::string, kColumnCount> texts = [] {
    std::array<std::string, kColumnCount> made;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      made[i] = std::string("\"") + columnName(static_cast<Column>(i)) + "\":";
    }
    return made;
  }();
  return texts;
}

}  // namespace

void appendJsonObject(std::string& out, const Row& row) {
  const std::array<std::string, kColumnCount>& keys = keyTexts();
  char digits[24];
  char separator = '{';
  for (Column key : row.keys) {
    out.push_back(separator);
    separator = ',';
    out.append(keys[static_cast<std::size_t>(key)]);
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

void appendJsonSummary(std::string& out, const CheckSummary& summary) {
  out.append("{\"kind\":\"summary\",");
  appendSummaryMembers(out, summary);
  out.append("}\n");
}

void JsonlReport::finish(const CheckSummary& summary) {
  appendJsonSummary(out_.text(), summary);
  out_.written();
}

std::unique_ptr<Report> JsonlReport::forChunk(Output& out, Output&) const {
  return std::make_unique<JsonlReport>(out);
}

void JsonlReport::write(const Row& row) {
  appendJsonObject(out_.text(), row);
  out_.written();
}

}  // namespace vexal::cli
