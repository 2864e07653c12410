// A record layout as a list of its fields and groups, for showing it.

#ifndef VEXAL_HOST_CORE_LAYOUT_VIEW_H_
#define VEXAL_HOST_CORE_LAYOUT_VIEW_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/display_names.h"
#include "model/record_definition.h"

namespace vexal::core {

// One field or group of a layout, in record order.
struct LayoutEntry {
  bool is_group = false;
  int depth = 0;     // number of enclosing groups
  std::string path;  // "POS.KE"
  std::string name;  // "KE"
  // 1-based. Root entries count from the start of the record, group members
  // from the start of their occurrence; after a group of variable size at
  // the same level they count from that group's end (`after`).
  std::size_t position = 1;
  std::string after;  // path of that group, or empty
  // Fields.
  unsigned length = 0;
  ::FieldType type = ::FieldType::kAlphanumeric;
  const char* display_name = nullptr;  // from the rule set; may be null
  // Groups.
  std::optional<std::size_t> occurrence_length;  // empty when variable
  const char* counter_field = nullptr;
  const FieldCondition* condition = nullptr;
};

struct LayoutView {
  std::vector<LayoutEntry> entries;
  std::size_t field_count = 0;
  // The length of a record whose variable groups do not occur.
  std::size_t minimum_length = 0;
  // Set when no group varies in size.
  std::optional<std::size_t> record_length;
};

// Walks the layout; names come from display_names (which may be empty),
// and the view points into both.
LayoutView describeLayout(const RecordDefinition& definition, const DisplayNames& display_names);

// "numeric" or "alphanumeric".
const char* modelTypeName(::FieldType type);

// How a group occurs, in words: "as often as counter field ANZ says",
// "once when FLAG = \"J\"", "once".
std::string occurrenceText(const LayoutEntry& group);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_LAYOUT_VIEW_H_
