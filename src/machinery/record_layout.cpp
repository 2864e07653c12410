#include "machinery/record_layout.h"

#include <memory>

namespace vexal::machinery {
namespace {

void addFields(const TopicSpec& topic, RecordDefinition* record, StructureFieldDefinition* group) {
  for (const FieldSpec& field : topic.fields) {
    auto* single = new SingleFieldDefinition(field.name, field.model_type, field.length);
    if (group != nullptr) {
      group->addFieldDefinition(single);
    } else {
      record->addFieldDefinition(single);
    }
  }
}

}  // namespace

void buildRecordLayout(RecordDefinition& definition, const RecordSpec& spec) {
  addFields(*spec.root, &definition, nullptr);
  for (const GroupSpec& group : spec.root->groups) {
    auto structure = std::make_unique<StructureFieldDefinition>(group.name);
    if (group.counter_field != nullptr) {
      structure->setCounterFieldName(group.counter_field);
    } else if (group.condition_field != nullptr) {
      structure->setExistenceCondition(
          new FieldCondition(group.condition_field, CompareOperator::kEqual, group.condition_value));
    }
    addFields(*group.element, nullptr, structure.get());
    definition.addFieldDefinition(structure.release());
  }
}

}  // namespace vexal::machinery
