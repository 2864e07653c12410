// The record-definition model: the fixed layout of a record type.

#ifndef VEXAL_RUNTIME_MODEL_RECORD_DEFINITION_H_
#define VEXAL_RUNTIME_MODEL_RECORD_DEFINITION_H_

#include <cstddef>
#include <string>
#include <vector>

// Field types of the record model (the reverse of pl::FieldType).
enum class FieldType : int {
  kNumeric = 0,
  kAlphanumeric = 2,
};

enum class CompareOperator : int {
  kEqual = 0,
  kNotEqual = 1,
};

// A field's place in a layout: a single field or a group of fields.
class FieldDefinition {
 public:
  FieldDefinition(const FieldDefinition&) = delete;
  FieldDefinition& operator=(const FieldDefinition&) = delete;
  virtual ~FieldDefinition();

  const char* getName() const { return name_.c_str(); }
  // Null for a single field.
  virtual const class StructureFieldDefinition* asStructure() const { return nullptr; }
  virtual const class SingleFieldDefinition* asSingle() const { return nullptr; }

 protected:
  explicit FieldDefinition(const char* name);

 private:
  std::string name_;
};

class SingleFieldDefinition final : public FieldDefinition {
 public:
  SingleFieldDefinition(const char* name, FieldType type, unsigned int length);
  FieldType getFieldType() const { return type_; }
  unsigned int getLength() const { return length_; }
  const SingleFieldDefinition* asSingle() const override { return this; }

 private:
  FieldType type_;
  unsigned int length_;
};

// "The group is present when field F compares to the value".
class FieldCondition {
 public:
  FieldCondition(const char* fieldName, CompareOperator op, const char* value);
  const char* getFieldName() const { return field_name_.c_str(); }
  CompareOperator getOperator() const { return op_; }
  const char* getValue() const { return value_.c_str(); }
  // Whether a field text satisfies the condition (exact byte comparison).
  bool holds(const char* text, std::size_t size) const;

 private:
  std::string field_name_;
  CompareOperator op_;
  std::string value_;
};

// A named group of member fields. It occurs as often as its counter field
// says, or once when its existence condition holds, or once when it has
// neither. Owns its members and its condition.
class StructureFieldDefinition final : public FieldDefinition {
 public:
  explicit StructureFieldDefinition(const char* name);
  ~StructureFieldDefinition() override;

  // The numeric field, placed before the group, that counts its occurrences.
  void setCounterFieldName(const char* fieldName);
  // Null when there is none.
  const char* getCounterFieldName() const {
    return has_counter_ ? counter_field_name_.c_str() : nullptr;
  }
  // Takes ownership, also when it fails; replaces an earlier condition.
  void setExistenceCondition(FieldCondition* condition);
  const FieldCondition* getExistenceCondition() const { return condition_; }
  // Appends a member; takes ownership, also when it fails.
  void addFieldDefinition(FieldDefinition* member);
  std::size_t getFieldDefinitionCount() const { return members_.size(); }
  const FieldDefinition* getFieldDefinition(std::size_t i) const { return members_[i]; }

  const StructureFieldDefinition* asStructure() const override { return this; }

 private:
  std::string counter_field_name_;
  bool has_counter_ = false;
  FieldCondition* condition_ = nullptr;
  std::vector<FieldDefinition*> members_;
};

// The layout of one record type: top-level fields and groups in record
// order. Owns everything added to it. Immutable once built; may be read
// from several threads.
class RecordDefinition {
 public:
  RecordDefinition();
  RecordDefinition(const RecordDefinition&) = delete;
  RecordDefinition& operator=(const RecordDefinition&) = delete;
  // Not virtual: record-type classes add neither data nor a destructor.
  ~RecordDefinition();

  virtual const char* getRecordType() const;

  // Appends; takes ownership, also when it fails.
  void addFieldDefinition(FieldDefinition* field);
  std::size_t getFieldDefinitionCount() const { return fields_.size(); }
  const FieldDefinition* getFieldDefinition(std::size_t i) const { return fields_[i]; }

 private:
  std::vector<FieldDefinition*> fields_;
};

#endif  // VEXAL_RUNTIME_MODEL_RECORD_DEFINITION_H_
