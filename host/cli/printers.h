// The printers of vexal check: text, jsonl, csv and the statistics table,
// and the JSON and CSV pieces they are written with.

#ifndef VEXAL_HOST_CLI_PRINTERS_H_
#define VEXAL_HOST_CLI_PRINTERS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/output.h"
#include "cli/report.h"
#include "cli/terminal.h"
#include "core/encoding.h"
#include "core/line_result.h"

namespace vexal::cli {

// Appends Windows-1252 text as a quoted JSON string in UTF-8. Escapes '"'
// and '\\'; control characters (U+0000-U+001F, U+007F and the C1 controls
// U+0080-U+009F) become \b \f \n \r \t or \u00XX. Everything else is
// written as its UTF-8 character.
void appendJsonString1252(std::string& out, std::string_view text1252);

// The same for text that is valid UTF-8 already (file names).
void appendJsonStringUtf8(std::string& out, std::string_view utf8);

// The room the writers below need for a text of the given length: its
// longest escaping (6 bytes a byte), the quotes, and 8 bytes they may
// write past their end.
constexpr std::size_t jsonStringBound(std::size_t length) { return 6 * length + 2 + 8; }

// Write the quoted string to out, which has jsonStringBound(text.size())
// bytes of room, and return the end of what they wrote. For output made
// into a buffer sized once for a whole object.
char* writeJsonString1252(char* out, std::string_view text1252);
char* writeJsonStringUtf8(char* out, std::string_view utf8);

// Appends one field: in double quotes, with inner quotes doubled, when it
// holds a comma, a double quote, CR or LF, or starts or ends with a blank;
// as it is otherwise.
void appendCsvField(std::string& out, std::string_view text);

// Every key of every kind, in the order of the csv columns.
#define VEXAL_FINDING_COLUMN(member, Name) k##Name,
enum class Column : unsigned char {
  kKind,
  kFile,
  kLine,
  kRecordType,
  VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_COLUMN) kFindings,
  kMessage,
  kExpectedLength,
  kActualLength,
  kCount  // not a column: how many there are
};
#undef VEXAL_FINDING_COLUMN
inline constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::kCount);

// The key of a column: "record_type".
const char* columnName(Column column);

// One value: null, a number, or text (Windows-1252 or UTF-8). Text views
// are not owned.
struct Cell {
  enum class Kind : unsigned char { kNull, kNumber, kText1252, kTextUtf8 };
  Kind kind = Kind::kNull;
  long long number = 0;
  std::string_view text;

  static Cell null() { return {}; }
  static Cell of(long long value) { return {Kind::kNumber, value, {}}; }
  // Null for a null pointer.
  static Cell text1252(const char* value) {
    return value ? Cell{Kind::kText1252, 0, value} : Cell{};
  }
  static Cell text1252(std::string_view value) { return {Kind::kText1252, 0, value}; }
  static Cell utf8(std::string_view value) { return {Kind::kTextUtf8, 0, value}; }
};

// The keys of one object, in order, and the values under them. Valid as
// long as the texts it was made from.
struct Row {
  std::span<const Column> keys;
  std::array<Cell, kColumnCount> cells;

  Cell& operator[](Column column) { return cells[static_cast<std::size_t>(column)]; }
  const Cell& operator[](Column column) const { return cells[static_cast<std::size_t>(column)]; }
};

Row findingRow(const Location& where, const core::Finding& finding);
Row recordRow(const Location& where, std::size_t findings);
Row warningRow(const Location& where, std::string_view message, std::size_t expected_length,
               std::size_t actual_length);
Row errorRow(const Location& where, std::string_view message);
Row fileWarningRow(const Location& where, std::string_view message);

// A Report that turns everything into rows for write().
class RowReport : public Report {
 public:
  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;

 protected:
  virtual void write(const Row& row) = 0;

 private:
  std::string scratch_;  // the text of a length warning, kept for its capacity
};

// Writes "FILE:LINE: RECORD-TYPE PLACE: TEXT" lines in UTF-8 to the output
// (not owned), coloured by the palette; records without findings give no
// line.
class TextReport final : public Report {
 public:
  explicit TextReport(Output& out, Palette palette = Palette::plain())
      : out_(out),
        palette_(palette),
        location_(palette.location),
        place_(palette.place),
        code_(palette.code),
        reset_(palette.reset) {}

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location&, std::size_t) override {}
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 private:
  // "FILE:LINE: " and, when known, "RECORD-TYPE ".
  void begin(const Location& where, bool with_type);
  // Appends Latin-1 text in a colour.
  void append(const char* color, std::string_view text1252);
  void end();
  // "FILE:LINE: label message", the label coloured.
  void labelled(const Location& where, const char* color, const char* label,
                std::string_view message);

  Output& out_;
  Palette palette_;
  // The palette's colours a finding's line takes, measured once.
  std::string_view location_;
  std::string_view place_;
  std::string_view code_;
  std::string_view reset_;
  core::ShownNameCache names_;
  std::string scratch_;  // a Latin-1 text being made, kept for its capacity
};

// The JSON strings of the texts that repeat from row to row (file, record
// type, a finding's correction info and reference topic), each kept with
// the text it was made from and written again while that stays the same.
// One per report; not thread-safe.
class JsonTextCache {
 public:
  // Whether the column's texts are kept.
  static bool keeps(Column column) { return slot(column) < kSlots; }
  // The JSON string of the cell's text, made when it differs from the
  // last one of the column.
  std::string_view json(Column column, const Cell& cell) {
    Entry& entry = entries_[slot(column)];
    if (entry.made && entry.kind == cell.kind && entry.text.size() == cell.text.size() &&
        std::char_traits<char>::compare(entry.text.data(), cell.text.data(), cell.text.size()) ==
            0) {
      return entry.json;
    }
    return make(entry, cell);
  }

 private:
  struct Entry {
    std::string text;
    std::string json;
    Cell::Kind kind = Cell::Kind::kNull;
    bool made = false;
  };
  static constexpr std::size_t kSlots = 4;
  static std::size_t slot(Column column) {
    switch (column) {
      case Column::kFile:
        return 0;
      case Column::kRecordType:
        return 1;
      case Column::kCorrectionInfo:
        return 2;
      case Column::kReferenceTopic:
        return 3;
      default:
        return kSlots;
    }
  }
  std::string_view make(Entry& entry, const Cell& cell);

  std::array<Entry, kSlots> entries_;
};

// Appends the row as one JSON object, its keys in the row's order, and a
// LF; with a cache, the texts of the columns it keeps come from it.
void appendJsonObject(std::string& out, const Row& row, JsonTextCache* cache = nullptr);

// Appends the closing object of a run, kind "summary", and a LF.
void appendJsonSummary(std::string& out, const CheckSummary& summary);

// Writes each row as a JSON line to the output (not owned), and the
// summary as the last one.
class JsonlReport final : public RowReport {
 public:
  explicit JsonlReport(Output& out) : out_(out) {}
  // Write what RowReport's would, without a row.
  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 protected:
  void write(const Row& row) override;

 private:
  Output& out_;
  JsonTextCache cache_;
};

// The header row: every column name, "kind" first; ends with CR LF.
void appendCsvHeader(std::string& out);
// One row over all columns: the row's own keys filled in, the others and
// nulls empty, texts in UTF-8; ends with CR LF.
void appendCsvRow(std::string& out, const Row& row, core::ShownNameCache& names);

// Writes the header at construction (unless told not to) and each row
// after it to the output (not owned).
class CsvReport final : public RowReport {
 public:
  explicit CsvReport(Output& out, bool header = true);
  // Without header: the rows of a chunk go after the run's header.
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 protected:
  void write(const Row& row) override;

 private:
  Output& out_;
  core::ShownNameCache names_;
};

// One row of the table. A rule finding counts by its error identifier (by
// its check when it has none), a field finding by its check and info type,
// a length warning by whether the record is too short or too long, a line
// error by its cause (its message up to the first ": "). Texts are Latin-1.
struct StatisticsRow {
  enum class Kind { kFinding, kWarning, kError };
  Kind kind = Kind::kFinding;
  std::string record_type;  // empty when not known
  std::string code;         // the error identifier; empty when none
  std::string check;        // of findings: field short name or procedure
  int info_type = 0;        // of findings
  bool field = false;       // of findings: a field finding, counted by check and info type
  std::string message;      // the first one's text, without the identifier
  long count = 0;
  long records = 0;      // records (lines) with at least one
  long last_record = 0;  // the line it was last counted in, to count records once

  // What the ID column shows: the identifier, else the check, else the
  // kind.
  std::string_view id() const;
};

// Counts what a check reports, in the order a Report receives it. Owns its
// rows; not thread-safe.
class FindingStatistics {
 public:
  void finding(const char* record_type, const core::Finding& finding);
  void warning(const char* record_type, std::size_t expected_length, std::size_t actual_length);
  void lineError(std::string_view message);
  // The line's findings and warning are all counted; the next belong to
  // another record.
  void endOfLine() { ++line_serial_; }

  // Adds the counts of a later part of the run; a row both have keeps
  // this one's message, the first seen.
  void absorb(const FindingStatistics& later);

  // Most frequent first; ties go to more records, then record type, kind
  // and id.
  std::vector<const StatisticsRow*> sorted() const;

 private:
  StatisticsRow& row(StatisticsRow::Kind kind, std::string_view record_type, std::string_view key);

  std::unordered_map<std::string, StatisticsRow> rows_;
  std::string key_;
  long line_serial_ = 1;
};

// The table as text: a header and one aligned line per row, UTF-8,
// coloured by the palette; nothing when there are no rows.
std::string statisticsText(const std::vector<const StatisticsRow*>& rows, const Palette& palette);

// A Report for --statistics. Counts findings, warnings and line errors and
// writes the table when the run finishes: as text, after the messages about
// whole files, which it writes as they come; or as one JSON document with
// the summary, the table and the messages about files. Writes to out (not
// owned); not thread-safe.
class StatisticsReport final : public Report {
 public:
  StatisticsReport(Output& out, bool json, Palette palette);

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;
  // chunk is a StatisticsReport that forChunk() made.
  void absorb(Report& chunk) override;

 private:
  struct FileMessage {
    bool warning;
    std::string file;  // UTF-8
    long line;
    std::string message;
  };

  Output& out_;
  bool json_;
  Palette palette_;
  TextReport text_;  // the messages about files, in text
  FindingStatistics statistics_;
  std::vector<FileMessage> file_messages_;  // JSON only
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_PRINTERS_H_
