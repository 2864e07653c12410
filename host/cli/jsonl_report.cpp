#include "cli/printers.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>

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

namespace {

// Copies a literal without its NUL: a copy of known size, a few moves.
template <std::size_t N>
char* put(char* next, const char (&literal)[N]) {
  std::memcpy(next, literal, N - 1);
  return next + (N - 1);
}

char* put(char* next, std::string_view text) {
  std::memcpy(next, text.data(), text.size());
  return next + text.size();
}

// The JSON of the file and the record type that every object of a line
// names.
struct Head {
  std::string_view file;
  std::string_view type;
};

Head headOf(JsonTextCache& cache, const Location& where) {
  return {cache.json(Column::kFile, Cell::utf8(where.file)),
          where.record_type != nullptr
              ? cache.json(Column::kRecordType, Cell::text1252(where.record_type))
              : std::string_view("null")};
}

// `opening` ({"kind":"...","file":), then file, line and record type; at
// most 48 bytes besides `opening` and the head's texts.
char* putHead(char* next, std::string_view opening, const Head& head, long line) {
  next = put(next, opening);
  next = put(next, head.file);
  next = put(next, R"(,"line":)");
  next = line > 0 ? std::to_chars(next, next + 24, line).ptr : put(next, "null");
  next = put(next, R"(,"record_type":)");
  return put(next, head.type);
}

}  // namespace

void JsonlReport::record(const Location& where, std::size_t findings) {
  // What appendJsonObject(recordRow(where, findings)) writes, without
  // making the row: {"kind":"record","file":F,"line":N,"record_type":R,
  // "findings":N}.
  const Head head = headOf(cache_, where);
  constexpr std::size_t kRoom = 64 + 2 * 24;  // the literals, two numbers
  std::string& out = out_.text();
  const std::size_t size = out.size();
  out.resize(size + kRoom + head.file.size() + head.type.size());
  char* const begin = out.data();
  char* next = putHead(begin + size, R"({"kind":"record","file":)", head, where.line);
  next = put(next, R"(,"findings":)");
  next = std::to_chars(next, next + 24, static_cast<long long>(findings)).ptr;
  next = put(next, "}\n");
  out.resize(static_cast<std::size_t>(next - begin));
  out_.written();
}

namespace {

// A text attribute of a finding as its cell has it: null, or a view.
// Numbers have none.
struct TextView {
  std::string_view text;
  bool null = true;
};

TextView viewOf(const char* text) { return text != nullptr ? TextView{text, false} : TextView{}; }
TextView viewOf(std::string_view code) { return code.empty() ? TextView{} : TextView{code, false}; }
template <class Number>
TextView viewOf(const Number&) {
  return {};
}

// The room an attribute's value takes at most: a text's longest JSON, or
// a number.
std::size_t roomOf(const TextView& view, const char*) {
  return view.null ? 4 : jsonStringBound(view.text.size());
}
std::size_t roomOf(const TextView& view, std::string_view) {
  return view.null ? 4 : jsonStringBound(view.text.size());
}
template <class Number>
std::size_t roomOf(const TextView&, const Number&) {
  return 24;
}

// Writes the values of a finding's object one after the other, as
// appendJsonObject writes the cells of its row.
class FindingJson {
 public:
  FindingJson(char* next, JsonTextCache& cache) : next_(next), cache_(cache) {}
  char* end() const { return next_; }

  template <std::size_t N>
  void literal(const char (&text)[N]) {
    next_ = put(next_, text);
  }
  void value(Column column, const TextView& view, const char*) { text(column, view); }
  void value(Column column, const TextView& view, std::string_view) { text(column, view); }
  void value(Column, const TextView&, int number) { this->number(number); }
  template <class Enum>
  requires std::is_enum_v<Enum>
  void value(Column, const TextView&, Enum value) { number(static_cast<int>(value)); }
  template <class T>
  void value(Column column, const TextView& view, const std::optional<T>& value) {
    if (value) {
      this->value(column, view, *value);
    } else {
      next_ = put(next_, "null");
    }
  }

 private:
  void number(long long value) { next_ = std::to_chars(next_, next_ + 24, value).ptr; }
  void text(Column column, const TextView& view) {
    if (view.null) {
      next_ = put(next_, "null");
      return;
    }
    if (view.text.data() == last_.data() && view.text.size() == last_.size()) {
      // The very bytes of the text before (the long description is the
      // short one): its JSON once more.
      next_ = put(next_, std::string_view(last_start_, last_end_ - last_start_));
      return;
    }
    last_ = view.text;
    last_start_ = next_;
    if (JsonTextCache::keeps(column)) {
      next_ = put(next_, cache_.json(column, Cell::text1252(view.text)));
    } else {
      next_ = writeJsonString1252(next_, view.text);
    }
    last_end_ = next_;
  }

  char* next_;
  JsonTextCache& cache_;
  std::string_view last_;
  const char* last_start_ = nullptr;
  const char* last_end_ = nullptr;
};

}  // namespace

void JsonlReport::finding(const Location& where, const core::Finding& f) {
  // What appendJsonObject(findingRow(where, f)) writes, without making
  // the row: kind, file, line and record type, then the attributes in
  // their order.
#define VEXAL_FINDING_VIEW(member, Name) const TextView member##_view = viewOf(f.member);
  VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_VIEW)
#undef VEXAL_FINDING_VIEW
  const Head head = headOf(cache_, where);
  // The head's literals and numbers, and per attribute its key (at most
  // 24 bytes with comma and colon) and value.
  std::size_t room = 96 + head.file.size() + head.type.size();
#define VEXAL_FINDING_ROOM(member, Name) room += 24 + roomOf(member##_view, f.member);
  VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_ROOM)
#undef VEXAL_FINDING_ROOM

  std::string& out = out_.text();
  const std::size_t size = out.size();
  out.resize(size + room);
  char* const begin = out.data();
  char* next = putHead(begin + size, R"({"kind":"finding","file":)", head, where.line);
  FindingJson json(next, cache_);
#define VEXAL_FINDING_WRITE(member, Name) \
  json.literal(",\"" #member "\":");      \
  json.value(Column::k##Name, member##_view, f.member);
  VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_WRITE)
#undef VEXAL_FINDING_WRITE
  next = put(json.end(), "}\n");
  out.resize(static_cast<std::size_t>(next - begin));
  out_.written();
}

void JsonlReport::write(const Row& row) {
  appendJsonObject(out_.text(), row, &cache_);
  out_.written();
}

}  // namespace vexal::cli
