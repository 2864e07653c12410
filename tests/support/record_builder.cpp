#include "support/record_builder.h"

#include <stdexcept>
#include <string>

namespace vexal::testing {

RecordBuilder::RecordBuilder(const RecordDefinition& definition) : definition_(definition) {
  for (std::size_t i = 0; i < definition.getFieldDefinitionCount(); ++i) {
    const SingleFieldDefinition* field = definition.getFieldDefinition(i)->asSingle();
    if (field == nullptr) continue;
    entries_.push_back(
        {field->getName(), field->getLength(), std::string(field->getLength(), ' ')});
  }
}

RecordBuilder& RecordBuilder::addGroup(std::string_view group) {
  for (std::size_t i = 0; i < definition_.getFieldDefinitionCount(); ++i) {
    const StructureFieldDefinition* structure = definition_.getFieldDefinition(i)->asStructure();
    if (structure == nullptr || group != structure->getName()) continue;
    int occurrence = ++occurrences_[std::string(group)];
    std::string prefix = std::string(group);
    if (occurrence > 1) prefix += "[" + std::to_string(occurrence) + "]";
    for (std::size_t j = 0; j < structure->getFieldDefinitionCount(); ++j) {
      const SingleFieldDefinition* field = structure->getFieldDefinition(j)->asSingle();
      if (field == nullptr) continue;
      entries_.push_back({prefix + "." + field->getName(), field->getLength(),
                          std::string(field->getLength(), ' ')});
    }
    return *this;
  }
  throw std::invalid_argument("no group " + std::string(group));
}

RecordBuilder::Entry& RecordBuilder::entry(std::string_view field) {
  for (Entry& e : entries_) {
    if (e.name == field) return e;
  }
  throw std::invalid_argument("no field " + std::string(field));
}

RecordBuilder& RecordBuilder::set(std::string_view field, std::string_view text) {
  Entry& e = entry(field);
  std::string padded(text);
  if (padded.size() < e.length) padded.resize(e.length, ' ');
  e.text = std::move(padded);
  return *this;
}

RecordBuilder& RecordBuilder::setRaw(std::string_view field, std::string_view text) {
  entry(field).text = std::string(text);
  return *this;
}

RecordBuilder& RecordBuilder::drop(std::string_view field) {
  entry(field).text.reset();
  return *this;
}

Harness::FieldValues RecordBuilder::values() const {
  Harness::FieldValues values;
  for (const Entry& e : entries_) values.emplace_back(e.name, e.text);
  return values;
}

std::string RecordBuilder::line() const {
  std::string line;
  for (const Entry& e : entries_) {
    if (!e.text) break;
    std::string text = *e.text;
    text.resize(e.length, ' ');
    line += text;
  }
  return line;
}

}  // namespace vexal::testing
