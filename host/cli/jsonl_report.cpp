#include "cli/printers.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>

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
  // Room for the longest object the row can give, made once; what is not
  // written is cut off at the end.
  constexpr std::size_t kNumberRoom = 24;
  std::size_t room = 3;  // "{", "}\n"
  for (Column key : row.keys) {
    const Cell& cell = row[key];
    room += 1 + keys[static_cast<std::size_t>(key)].size();
    room += cell.kind == Cell::Kind::kText1252 || cell.kind == Cell::Kind::kTextUtf8
                ? jsonStringBound(cell.text.size())
                : kNumberRoom;
  }
  const std::size_t size = out.size();
  out.resize(size + room);
  char* const begin = out.data();
  char* next = begin + size;
  char separator = '{';
  for (Column key : row.keys) {
    *next++ = separator;
    separator = ',';
    const std::string& key_text = keys[static_cast<std::size_t>(key)];
    std::memcpy(next, key_text.data(), key_text.size());
    next += key_text.size();
    const Cell& cell = row[key];
    switch (cell.kind) {
      case Cell::Kind::kNull:
        std::memcpy(next, "null", 4);
        next += 4;
        break;
      case Cell::Kind::kNumber:
        next = std::to_chars(next, next + kNumberRoom, cell.number).ptr;
        break;
      case Cell::Kind::kText1252:
        next = writeJsonString1252(next, cell.text);
        break;
      case Cell::Kind::kTextUtf8:
        next = writeJsonStringUtf8(next, cell.text);
        break;
    }
  }
  if (separator == '{') *next++ = '{';
  *next++ = '}';
  *next++ = '\n';
  out.resize(static_cast<std::size_t>(next - begin));
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
