// The record types libvexal knows and how a record line tells its type.

#ifndef VEXAL_HOST_CORE_RECORD_TYPE_H_
#define VEXAL_HOST_CORE_RECORD_TYPE_H_

#include <array>
#include <string>
#include <string_view>

#include "frame/record_types.h"

namespace vexal::core {

// In the order `vexal types` lists them.
#define VEXAL_RECORD_TYPE_NAME(R) #R,
inline constexpr auto kRecordTypes =
    std::to_array<const char*>({VEXAL_RECORD_TYPES(VEXAL_RECORD_TYPE_NAME)});
#undef VEXAL_RECORD_TYPE_NAME

// Whether name is one of kRecordTypes.
bool isRecordType(std::string_view name);
// The record types for a message: "DSAS_01, DSAS_02, ... or DSLN_02".
std::string recordTypeChoices();

// The record type of a line, or why it cannot be told.
struct Detection {
  const char* record_type = nullptr;  // one of kRecordTypes, or null
  std::string reason;                 // Latin-1; set when record_type is null
};

// Characters 1-4 name the record, and the record types with those four
// letters: where there is one ("DSKO": DSKO_04), the line is of that type
// whatever its version (its rule set reports a wrong version itself);
// where there are several ("DSAS", "DSLN"), the version in characters
// 40-41 (after KE 4, VF 5, ABSN 15, EPNR 15) picks one.
Detection detectRecordType(std::string_view line);

// The bytes detectRecordType reads of a line of at least
// kRecordTypeKeyLength characters: characters 1-4 and 40-41. Lines with
// the same key are of the same record type.
using RecordTypeKey = std::array<char, 6>;
inline constexpr std::size_t kRecordTypeKeyLength = 41;
// False for a line too short to have one.
bool recordTypeKey(std::string_view line, RecordTypeKey& key);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_RECORD_TYPE_H_
