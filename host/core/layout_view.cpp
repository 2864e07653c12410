#include "core/layout_view.h"

namespace vexal::core {
namespace {

struct Extent {
  std::size_t minimum = 0;
  bool fixed = true;
};

// Walks the members of a record or group occurrence at one level and
// appends their entries; returns the extent of one occurrence.
template <class Container>
Extent walk(const Container& container, const std::string& parent, int depth,
            const DisplayNames& names, LayoutView& view) {
  Extent extent;
  std::size_t offset = 0;  // from the start, or from the end of `after`
  std::string after;
  for (std::size_t i = 0; i < container.getFieldDefinitionCount(); ++i) {
    const FieldDefinition& member = *container.getFieldDefinition(i);
    LayoutEntry entry;
    entry.depth = depth;
    entry.name = member.getName();
    entry.path = depth == 0 ? entry.name : parent + "." + entry.name;
    entry.position = offset + 1;
    entry.after = after;
    if (const SingleFieldDefinition* single = member.asSingle()) {
      entry.length = single->getLength();
      entry.type = single->getFieldType();
      entry.display_name = names.find(entry.path);
      view.entries.push_back(std::move(entry));
      ++view.field_count;
      offset += single->getLength();
      extent.minimum += single->getLength();
      continue;
    }
    const StructureFieldDefinition* group = member.asStructure();
    if (group == nullptr) continue;
    entry.is_group = true;
    entry.counter_field = group->getCounterFieldName();
    entry.condition = group->getExistenceCondition();
    const std::size_t at = view.entries.size();
    view.entries.push_back(entry);
    Extent inner = walk(*group, entry.path, depth + 1, names, view);
    const bool once = entry.counter_field == nullptr && entry.condition == nullptr;
    if (inner.fixed) view.entries[at].occurrence_length = inner.minimum;
    if (once && inner.fixed) {
      offset += inner.minimum;
      extent.minimum += inner.minimum;
    } else {
      // Counted and conditional groups may be absent.
      if (once) extent.minimum += inner.minimum;
      extent.fixed = false;
      after = entry.path;
      offset = 0;
    }
  }
  return extent;
}

}  // namespace

LayoutView describeLayout(const RecordDefinition& definition, const DisplayNames& names) {
  LayoutView view;
  Extent extent = walk(definition, std::string(), 0, names, view);
  view.minimum_length = extent.minimum;
  if (extent.fixed) view.record_length = extent.minimum;
  return view;
}

const char* modelTypeName(::FieldType type) {
  return type == ::FieldType::kNumeric ? "numeric" : "alphanumeric";
}

std::string occurrenceText(const LayoutEntry& group) {
  if (group.counter_field != nullptr) {
    return std::string("as often as counter field ") + group.counter_field + " says";
  }
  if (group.condition != nullptr) {
    const char* op = group.condition->getOperator() == CompareOperator::kEqual ? " = " : " != ";
    return std::string("once when ") + group.condition->getFieldName() + op + "\"" +
           group.condition->getValue() + "\"";
  }
  return "once";
}

}  // namespace vexal::core
