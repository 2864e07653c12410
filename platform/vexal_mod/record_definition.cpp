// The record-definition model: single fields, groups, conditions and record
// layouts. Every container owns what is added to it, and takes ownership
// even when adding fails, so that a caller never has to clean up after a
// throwing add.

#include "model/record_definition.h"

#include <cstring>
#include <memory>

namespace {

// Names and values arrive as C strings; a null pointer stands for "".
const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

// Appends an object to a vector of owning pointers. The object is held by a
// unique_ptr until the vector has accepted it, so a failing push_back
// deletes it instead of leaking it.
template <typename T>
void AppendOwned(std::vector<T*>& owners, T* object) {
  std::unique_ptr<T> guard(object);
  if (guard == nullptr) return;  // Nothing to own; a null entry would only crash readers.
  owners.push_back(guard.get());
  guard.release();
}

template <typename T>
void DeleteAll(std::vector<T*>& owners) {
  for (T* object : owners) delete object;
  owners.clear();
}

}  // namespace

FieldDefinition::FieldDefinition(const char* name) : name_(OrEmpty(name)) {}

FieldDefinition::~FieldDefinition() = default;

SingleFieldDefinition::SingleFieldDefinition(const char* name, FieldType type, unsigned int length)
    : FieldDefinition(name), type_(type), length_(length) {}

FieldCondition::FieldCondition(const char* fieldName, CompareOperator op, const char* value)
    : field_name_(OrEmpty(fieldName)), op_(op), value_(OrEmpty(value)) {}

bool FieldCondition::holds(const char* text, std::size_t size) const {
  // Byte for byte, so that Latin-1 texts compare without any locale.
  bool equal = size == value_.size() && (size == 0 || std::memcmp(text, value_.data(), size) == 0);
  return op_ == CompareOperator::kEqual ? equal : !equal;
}

StructureFieldDefinition::StructureFieldDefinition(const char* name) : FieldDefinition(name) {}

StructureFieldDefinition::~StructureFieldDefinition() {
  DeleteAll(members_);
  delete condition_;
}

void StructureFieldDefinition::setCounterFieldName(const char* fieldName) {
  if (fieldName == nullptr) {
    counter_field_name_.clear();
    has_counter_ = false;
    return;
  }
  counter_field_name_ = fieldName;  // May throw; the old name then stays in force.
  has_counter_ = true;
}

void StructureFieldDefinition::setExistenceCondition(FieldCondition* condition) {
  if (condition == condition_) return;  // Setting the same condition again must not free it.
  delete condition_;
  condition_ = condition;
}

void StructureFieldDefinition::addFieldDefinition(FieldDefinition* member) {
  AppendOwned(members_, member);
}

RecordDefinition::RecordDefinition() = default;

RecordDefinition::~RecordDefinition() { DeleteAll(fields_); }

const char* RecordDefinition::getRecordType() const { return ""; }

void RecordDefinition::addFieldDefinition(FieldDefinition* field) { AppendOwned(fields_, field); }
