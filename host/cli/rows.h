// The objects of the machine-readable formats: one row per reported thing,
// with the keys its kind carries.

#ifndef VEXAL_HOST_CLI_ROWS_H_
#define VEXAL_HOST_CLI_ROWS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "cli/report.h"
#include "core/line_result.h"

namespace vexal::cli {

// Every key of every kind, in the order of the csv columns.
enum class Column : unsigned char {
  kKind,
  kFile,
  kLine,
  kRecordType,
  kId,
  kCheck,
  kCode,
  kProblemType,
  kWeight,
  kInfoType,
  kShortDescription,
  kLongDescription,
  kCorrectionInfo,
  kReferenceTopic,
  kReferenceField,
  kFieldDisplayName,
  kFieldType,
  kFieldLength,
  kFieldMask,
  kException,
  kFindings,
  kMessage,
  kExpectedLength,
  kActualLength,
};
inline constexpr std::size_t kColumnCount = 24;

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

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_ROWS_H_
