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

Row findingRow(const Location& where, const pl::PlausiProblem& p) {
  Row row = start(kFindingKeys, "finding", where);
  const char* id = p.getId();
  row[C::kId] = Cell::text1252(id);
  row[C::kCheck] = id ? Cell::text1252(checkOf(id)) : Cell::null();
  std::string_view code = errorCode(p.getShortDescription());
  row[C::kCode] = code.empty() ? Cell::null() : Cell::text1252(code);
  row[C::kProblemType] = Cell::of(static_cast<int>(p.getProblemType()));
  row[C::kWeight] = Cell::of(p.getWeight());
  row[C::kInfoType] = Cell::of(static_cast<int>(p.getInfoType()));
  row[C::kShortDescription] = Cell::text1252(p.getShortDescription());
  row[C::kLongDescription] = Cell::text1252(p.getLongDescription());
  row[C::kCorrectionInfo] = Cell::text1252(p.getCorrectionInfo());
  row[C::kReferenceTopic] = Cell::text1252(p.getReferenceTopic());
  row[C::kReferenceField] = Cell::text1252(p.getReferenceFieldHierarchy());
  row[C::kFieldDisplayName] = Cell::text1252(p.getFieldDisplayName());
  row[C::kFieldType] =
      p.hasFieldType() ? Cell::of(static_cast<int>(p.getFieldType())) : Cell::null();
  row[C::kFieldLength] = p.hasFieldLength() ? Cell::of(p.getFieldLength()) : Cell::null();
  row[C::kFieldMask] = Cell::text1252(p.getFieldMask());
  row[C::kException] = Cell::text1252(p.getException());
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

void RowReport::finding(const Location& where, const pl::PlausiProblem& problem) {
  write(findingRow(where, problem));
}

void RowReport::record(const Location& where, std::size_t findings) {
  write(recordRow(where, findings));
}

void RowReport::warning(const Location& where, std::size_t expected_length,
                        std::size_t actual_length) {
  std::string message = lengthWarning(expected_length, actual_length);
  write(warningRow(where, message, expected_length, actual_length));
}

void RowReport::error(const Location& where, std::string_view message) {
  write(errorRow(where, message));
}

void RowReport::fileWarning(const Location& where, std::string_view message) {
  write(fileWarningRow(where, message));
}

}  // namespace vexal::cli
