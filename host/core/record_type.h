// The record types libvexal knows and how a record line tells its type.

#ifndef VEXAL_HOST_CORE_RECORD_TYPE_H_
#define VEXAL_HOST_CORE_RECORD_TYPE_H_

#include <array>
#include <string>
#include <string_view>

namespace vexal::core {

// In the order `vexal types` lists them.
inline constexpr std::array<const char*, 5> kRecordTypes = {"DSAS_01", "DSAS_02", "DSKO_04",
                                                            "DSLN_01", "DSLN_02"};

// Whether name is one of kRecordTypes.
bool isRecordType(std::string_view name);

// The record type of a line, or why it cannot be told.
struct Detection {
  const char* record_type = nullptr;  // one of kRecordTypes, or null
  std::string reason;                 // Latin-1; set when record_type is null
};

// Characters 1-4 name the record: "DSKO" is always DSKO_04 (its rule set
// reports a wrong version itself); "DSAS" and "DSLN" come in the versions
// "01" and "02", read from characters 40-41 (after KE 4, VF 5, ABSN 15,
// EPNR 15).
Detection detectRecordType(std::string_view line);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_RECORD_TYPE_H_
