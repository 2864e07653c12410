#include "cli/printers.h"

#include <optional>
#include <type_traits>

#include "core/finding_text.h"

namespace vexal::cli {
namespace {

using C = Column;

#define VEXAL_FINDING_KEY(member, Name) #member,
constexpr std::array<const char*, kColumnCount> kNames = {
    "kind",
    "file",
    "line",
    "record_type",
    VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_KEY) "findings",
    "message",
    "expected_length",
    "actual_length",
};
#undef VEXAL_FINDING_KEY

#define VEXAL_FINDING_KEY(member, Name) C::k##Name,
constexpr Column kFindingKeys[] = {C::kKind, C::kFile, C::kLine, C::kRecordType,
                                   VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_KEY)};
#undef VEXAL_FINDING_KEY
constexpr Column kRecordKeys[] = {C::kKind, C::kFile, C::kLine, C::kRecordType, C::kFindings};
constexpr Column kWarningKeys[] = {C::kKind,    C::kFile,           C::kLine,        C::kRecordType,
                                   C::kMessage, C::kExpectedLength, C::kActualLength};
constexpr Column kErrorKeys[] = {C::kKind, C::kFile, C::kLine, C::kMessage};
constexpr Column kFileWarningKeys[] = {C::kKind, C::kFile, C::kLine, C::kMessage};

// The cell of a finding's attribute, by its type: texts as they are
// (null stays null), the error identifier null when there is none, enums
// as their numbers, an absent optional as null.
Cell cellOf(const char* text) { return Cell::text1252(text); }
Cell cellOf(std::string_view code) { return code.empty() ? Cell::null() : Cell::text1252(code); }
Cell cellOf(int number) { return Cell::of(number); }
template <class Enum>
requires std::is_enum_v<Enum> Cell cellOf(Enum value) { return Cell::of(static_cast<int>(value)); }
template <class T>
Cell cellOf(const std::optional<T>& value) {
  return value ? cellOf(*value) : Cell::null();
}

Row start(std::span<const Column> keys, const char* kind, const Location& where) {
  Row row;
  row.keys = keys;
  row[C::kKind] = Cell::text1252(kind);
  row[C::kFile] = Cell::utf8(where.file);
  row[C::kLine] = where.line > 0 ? Cell::of(where.line) : Cell::null();
  row[C::kRecordType] = Cell::text1252(where.record_type);
  return row;
}

}  // namespace

const char* columnName(Column column) { return kNames[static_cast<std::size_t>(column)]; }

Row findingRow(const Location& where, const core::Finding& f) {
  Row row = start(kFindingKeys, "finding", where);
#define VEXAL_FINDING_CELL(member, Name) row[C::k##Name] = cellOf(f.member);
  VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_CELL)
#undef VEXAL_FINDING_CELL
  return row;
}

Row recordRow(const Location& where, std::size_t findings) {
  Row row = start(kRecordKeys, "record", where);
  row[C::kFindings] = Cell::of(static_cast<long long>(findings));
  return row;
}

Row warningRow(const Location& where, std::string_view message, std::size_t expected_length,
               std::size_t actual_length) {
  Row row = start(kWarningKeys, "warning", where);
  row[C::kMessage] = Cell::text1252(message);
  row[C::kExpectedLength] = Cell::of(static_cast<long long>(expected_length));
  row[C::kActualLength] = Cell::of(static_cast<long long>(actual_length));
  return row;
}

Row errorRow(const Location& where, std::string_view message) {
  Row row = start(kErrorKeys, "error", where);
  row[C::kMessage] = Cell::text1252(message);
  return row;
}

Row fileWarningRow(const Location& where, std::string_view message) {
  Row row = start(kFileWarningKeys, "file_warning", where);
  row[C::kMessage] = Cell::text1252(message);
  return row;
}

void RowReport::finding(const Location& where, const core::Finding& finding) {
  write(findingRow(where, finding));
}

void RowReport::record(const Location& where, std::size_t findings) {
  write(recordRow(where, findings));
}

void RowReport::warning(const Location& where, std::size_t expected_length,
                        std::size_t actual_length) {
  scratch_.clear();
  core::appendLengthWarning(scratch_, expected_length, actual_length);
  write(warningRow(where, scratch_, expected_length, actual_length));
}

void RowReport::error(const Location& where, std::string_view message) {
  write(errorRow(where, message));
}

void RowReport::fileWarning(const Location& where, std::string_view message) {
  write(fileWarningRow(where, message));
}

}  // namespace vexal::cli
