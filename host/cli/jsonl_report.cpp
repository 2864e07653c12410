#include "cli/printers.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vexal::cli {

namespace {

// "\"kind\":" and so on, made once, each in a slot of fixed size that
// is copied whole: a copy of known size costs a few moves, not a call.
struct KeyText {
  static constexpr std::size_t kSlot = 32;
  char text[kSlot] = {};
  std::size_t size = 0;
};

const std::array<KeyText, kColumnCount>& keyTexts() {
  static const std::array<KeyText, kColumnCount> texts = [] {
    std::array<KeyText, kColumnCount> made;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      const std::string text = std::string("\"") + columnName(static_cast<Column>(i)) + "\":";
      if (text.size() > KeyText::kSlot) std::abort();  // a column name too long for its slot
      std::memcpy(made[i].text, text.data(), text.size());
      made[i].size = text.size();
    }
    return made;
  }();
  return texts;
}

}  // namespace

std::string_view JsonTextCache::make(Entry& entry, const Cell& cell) {
  // Into the strings as they are, which keep their capacity.
  entry.text.assign(cell.text);
  entry.json.clear();
  if (cell.kind == Cell::Kind::kTextUtf8) {
    appendJsonStringUtf8(entry.json, cell.text);
  } else {
    appendJsonString1252(entry.json, cell.text);
  }
  entry.kind = cell.kind;
  entry.made = true;
  return entry.json;
}

void appendJsonObject(std::string& out, const Row& row, JsonTextCache* cache) {
  const std::array<KeyText, kColumnCount>& keys = keyTexts();
  // Room for the longest object the row can give, made once; what is not
  // written is cut off at the end. A key's slot may be copied whole.
  constexpr std::size_t kNumberRoom = 24;
  std::size_t room = 3 + KeyText::kSlot;  // "{", "}\n"
  for (Column key : row.keys) {
    const Cell& cell = row[key];
    room += 1 + keys[static_cast<std::size_t>(key)].size;
    room += cell.kind == Cell::Kind::kText1252 || cell.kind == Cell::Kind::kTextUtf8
                ? jsonStringBound(cell.text.size())
                : kNumberRoom;
  }
  const std::size_t size = out.size();
  out.resize(size + room);
  char* const begin = out.data();
  char* next = begin + size;
  char separator = '{';
  std::string_view last_text;  // the text cell written last, and its JSON
  Cell::Kind last_kind = Cell::Kind::kNull;
  const char* last_start = nullptr;
  const char* last_end = nullptr;
  for (Column key : row.keys) {
    *next++ = separator;
    separator = ',';
    const KeyText& key_text = keys[static_cast<std::size_t>(key)];
    std::memcpy(next, key_text.text, KeyText::kSlot);
    next += key_text.size;
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
      case Cell::Kind::kTextUtf8:
        if (cell.text.data() == last_text.data() && cell.text.size() == last_text.size() &&
            cell.kind == last_kind) {
          // The very bytes of the cell before (a finding's long
          // description is its short one): its JSON once more.
          const std::size_t size = static_cast<std::size_t>(last_end - last_start);
          std::memcpy(next, last_start, size);
          next += size;
          break;
        }
        last_text = cell.text;
        last_kind = cell.kind;
        last_start = next;
        if (cache != nullptr && JsonTextCache::keeps(key)) {
          const std::string_view json = cache->json(key, cell);
          std::memcpy(next, json.data(), json.size());
          next += json.size();
        } else if (cell.kind == Cell::Kind::kText1252) {
          next = writeJsonString1252(next, cell.text);
        } else {
          next = writeJsonStringUtf8(next, cell.text);
        }
        last_end = next;
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

void JsonlReport::record(const Location& where, std::size_t findings) {
  // What appendJsonObject(recordRow(where, findings)) writes, without
  // making the row: {"kind":"record","file":F,"line":N,"record_type":R,
  // "findings":N}.
  constexpr std::string_view kKind = R"({"kind":"record","file":)";
  constexpr std::string_view kLine = R"(,"line":)";
  constexpr std::string_view kRecordType = R"(,"record_type":)";
  constexpr std::string_view kFindings = R"(,"findings":)";
  constexpr std::string_view kNull = "null";
  const std::string_view file = cache_.json(Column::kFile, Cell::utf8(where.file));
  const std::string_view type =
      where.record_type != nullptr
          ? cache_.json(Column::kRecordType, Cell::text1252(where.record_type))
          : kNull;
  char numbers[64];
  char* end = numbers;
  if (where.line > 0) {
    end = std::to_chars(end, numbers + 32, where.line).ptr;
  } else {
    std::memcpy(end, kNull.data(), kNull.size());
    end += kNull.size();
  }
  const std::size_t line_size = static_cast<std::size_t>(end - numbers);
  end = std::to_chars(end, numbers + sizeof numbers, static_cast<long long>(findings)).ptr;
  const std::string_view line(numbers, line_size);
  const std::string_view count(numbers + line_size,
                               static_cast<std::size_t>(end - numbers) - line_size);

  std::string& out = out_.text();
  const std::size_t size = out.size();
  out.resize(size + kKind.size() + file.size() + kLine.size() + line.size() + kRecordType.size() +
             type.size() + kFindings.size() + count.size() + 2);
  char* next = out.data() + size;
  for (std::string_view piece : {kKind, file, kLine, line, kRecordType, type, kFindings, count}) {
    std::memcpy(next, piece.data(), piece.size());
    next += piece.size();
  }
  *next++ = '}';
  *next++ = '\n';
  out_.written();
}

void JsonlReport::write(const Row& row) {
  appendJsonObject(out_.text(), row, &cache_);
  out_.written();
}

}  // namespace vexal::cli
