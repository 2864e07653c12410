#include "cli/rows.h"

#include "cli/finding_text.h"

namespace vexal::cli {
namespace {

using C = Column;

constexpr std::array<const char*, kColumnCount> kNames = {
    "kind",
    "file",
    "line",
    "record_type",
    "id",
    "check",
    "code",
    "problem_type",
    "weight",
    "info_type",
    "short_description",
    "long_description",
    "correction_info",
    "reference_topic",
    "reference_field",
    "field_display_name",
    "field_type",
    "field_length",
    "field_mask",
    "exception",
    "findings",
    "message",
    "expected_length",
    "actual_length",
};

constexpr Column kFindingKeys[] = {
    C::kKind,
    C::kFile,
    C::kLine,
    C::kRecordType,
    C::kId,
    C::kCheck,
    C::kCode,
    C::kProblemType,
    C::kWeight,
    C::kInfoType,
    C::kShortDescription,
    C::kLongDescription,
    C::kCorrectionInfo,
    C::kReferenceTopic,
    C::kReferenceField,
    C::kFieldDisplayName,
    C::kFieldType,
    C::kFieldLength,
    C::kFieldMask,
    C::kException,
};
constexpr Column kRecordKeys[] = {C::kKind, C::kFile, C::kLine, C::kRecordType, C::kFindings};
constexpr Column kWarningKeys[] = {C::kKind,    C::kFile,           C::kLine,        C::kRecordType,
                                   C::kMessage, C::kExpectedLength, C::kActualLength};
constexpr Column kErrorKeys[] = {C::kKind, C::kFile, C::kLine, C::kMessage};
constexpr Column kFileWarningKeys[] = {C::kKind, C::kFile, C::kLine, C::kMessage};

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
  row[C::kId] = Cell::text1252(f.id);
  row[C::kCheck] = Cell::text1252(f.check);
  row[C::kCode] = f.code.empty() ? Cell::null() : Cell::text1252(f.code);
  row[C::kProblemType] = Cell::of(static_cast<int>(f.problem_type));
  row[C::kWeight] = Cell::of(f.weight);
  row[C::kInfoType] = Cell::of(static_cast<int>(f.info_type));
  row[C::kShortDescription] = Cell::text1252(f.short_description);
  row[C::kLongDescription] = Cell::text1252(f.long_description);
  row[C::kCorrectionInfo] = Cell::text1252(f.correction_info);
  row[C::kReferenceTopic] = Cell::text1252(f.reference_topic);
  row[C::kReferenceField] = Cell::text1252(f.reference_field);
  row[C::kFieldDisplayName] = Cell::text1252(f.field_display_name);
  row[C::kFieldType] = f.field_type ? Cell::of(static_cast<int>(*f.field_type)) : Cell::null();
  row[C::kFieldLength] = f.field_length ? Cell::of(*f.field_length) : Cell::null();
  row[C::kFieldMask] = Cell::text1252(f.field_mask);
  row[C::kException] = Cell::text1252(f.exception);
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
  appendLengthWarning(scratch_, expected_length, actual_length);
  write(warningRow(where, scratch_, expected_length, actual_length));
}

void RowReport::error(const Location& where, std::string_view message) {
  write(errorRow(where, message));
}

void RowReport::fileWarning(const Location& where, std::string_view message) {
  write(fileWarningRow(where, message));
}

}  // namespace vexal::cli
