// What checking one record line gives, as plain values: the command
// line's reports and the C API each turn them into their own form.

#ifndef VEXAL_HOST_CORE_LINE_RESULT_H_
#define VEXAL_HOST_CORE_LINE_RESULT_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pl/types.h"

namespace vexal::core {

// The attributes of a finding that every output carries (jsonl and csv,
// the statistics, the C API's vx_finding), in their order: X(member,
// Name), where member is the Finding member and the output's key, and Name
// names the csv column (Column::kName). The outputs are made from this
// list, so an attribute is added here and in Finding, and the compiler
// asks for it everywhere else.
#define VEXAL_FINDING_ATTRIBUTES(X)       \
  X(id, Id)                               \
  X(check, Check)                         \
  X(code, Code)                           \
  X(problem_type, ProblemType)            \
  X(weight, Weight)                       \
  X(info_type, InfoType)                  \
  X(short_description, ShortDescription)  \
  X(long_description, LongDescription)    \
  X(correction_info, CorrectionInfo)      \
  X(reference_topic, ReferenceTopic)      \
  X(reference_field, ReferenceField)      \
  X(field_display_name, FieldDisplayName) \
  X(field_type, FieldType)                \
  X(field_length, FieldLength)            \
  X(field_mask, FieldMask)                \
  X(exception, Exception)

// One finding with every attribute the output formats show. Texts are
// Latin-1 and NUL-terminated, null where the finding has none; they point
// into the checker's runtime context and rule sets.
struct Finding {
  const char* id = nullptr;  // "UV[2]#P_BBNRGT"
  // The part of id after its last '#' ("P_BBNRGT"); null when id is null.
  const char* check = nullptr;
  // The error identifier the short description starts with ("DSKO080");
  // empty when it starts with none. Points into short_description.
  std::string_view code;
  pl::ProblemType problem_type = pl::ProblemType::kField;
  int weight = 0;
  pl::ProblemInfoType info_type = pl::ProblemInfoType::kGeneral;
  const char* short_description = nullptr;
  const char* long_description = nullptr;
  const char* correction_info = nullptr;
  const char* reference_topic = nullptr;
  const char* reference_field = nullptr;  // the field's place: "UV[2].BBNRGT"
  const char* field_display_name = nullptr;
  // The display name a text names the field by: the one the type
  // descriptor of the reference field carries, else field_display_name.
  const char* shown_display_name = nullptr;
  std::optional<pl::FieldType> field_type;
  std::optional<int> field_length;
  const char* field_mask = nullptr;
  const char* exception = nullptr;
};

// The outcome of one line. A record was cut and checked: it has a record
// type, its lengths and its findings (none when it is valid). An error
// line could not be checked, and says why; when it was cut before its
// check failed, it has record type and lengths too. An empty line is
// skipped.
struct LineResult {
  enum class Kind { kEmpty, kRecord, kError };

  Kind kind = Kind::kEmpty;
  long line = 0;                      // 1-based, as the caller numbered it
  const char* record_type = nullptr;  // of a line that was cut; else null
  std::size_t expected_length = 0;    // of a line that was cut: what its layout implies
  std::size_t actual_length = 0;      // and what it has
  std::string error;                  // of an error line, Latin-1
  std::span<const Finding> findings;  // of a record, in the order written

  // A line whose length differs from its layout gets a warning, before
  // its findings or its error.
  bool lengthDiffers() const { return record_type != nullptr && expected_length != actual_length; }
};

// The text of a length warning: "record too short: 300 characters, its
// layout implies 415".
std::string lengthWarning(std::size_t expected_length, std::size_t actual_length);
void appendLengthWarning(std::string& out, std::size_t expected_length, std::size_t actual_length);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_LINE_RESULT_H_
