#include "machinery/record_layout.h"

#include <memory>

namespace vexal::machinery {
namespace {

// Adds the topic's fields to a record or a group: both take ownership.
template <class Target>
void addFields(const TopicTable& topic, Target& target) {
  for (const FieldRow& field : topic.fields) {
    target.addFieldDefinition(
        new SingleFieldDefinition(field.name, field.model_type, field.length));
  }
}

}  // namespace

void buildRecordLayout(RecordDefinition& definition, const RecordCatalogue& catalogue) {
  addFields(catalogue.root, definition);
  for (const GroupRow& group : catalogue.root.groups) {
    auto structure = std::make_unique<StructureFieldDefinition>(group.name);
    if (group.counter_field != nullptr) {
      structure->setCounterFieldName(group.counter_field);
    } else if (group.condition_field != nullptr) {
      structure->setExistenceCondition(new FieldCondition(
          group.condition_field, CompareOperator::kEqual, group.condition_value));
    }
    addFields(*group.element, *structure);
    definition.addFieldDefinition(structure.release());
  }
}

}  // namespace vexal::machinery
