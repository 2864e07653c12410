// Fields of a topic tree and the variables of the rule language.

#ifndef VEXAL_RUNTIME_PL_FIELD_DESCRIPTOR_H_
#define VEXAL_RUNTIME_PL_FIELD_DESCRIPTOR_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pl/data_record.h"
#include "pl/runtime_context.h"
#include "pl/types.h"
#include "pl/value.h"

namespace pl {

class TypeDescriptor;

// Anything the rule language reads a value from.
class ValueSource {
 public:
  virtual ~ValueSource() = default;
  // The value lives in ctx's arena.
  virtual Value* get(RuntimeContext* ctx) = 0;
};

// A node of the topic tree: a field, a topic or a topic array. Knows its
// type descriptor (not owned), its parent node (not owned) and, for topic
// elements, its index list.
class FieldDescriptor {
 public:
  FieldDescriptor(TypeDescriptor* type, FieldDescriptor* parent);
  FieldDescriptor(const FieldDescriptor&) = delete;
  FieldDescriptor& operator=(const FieldDescriptor&) = delete;
  virtual ~FieldDescriptor();

  FieldDescriptor* getParent() const { return parent_; }
  TypeDescriptor* getTypeDescriptor() const { return type_; }
  // The dimension count of the type descriptor (0 without one).
  int getDimension() const;

  // Keeps a copy of the list of zero-based indices, which ends with -1. A
  // null list clears it.
  void setIndices(const long* indices);
  // Null, or the -1-terminated list given to setIndices.
  const long* getIndices() const { return indices_.empty() ? nullptr : indices_.data(); }
  // Changes with every setIndices(), so that what was learnt from the
  // indices can tell it is still right.
  std::uint32_t getIndicesVersion() const { return indices_version_; }

  // Where the node stands in the record, for ids and messages: the names
  // from the outermost element down, joined by ".", with the occurrence of
  // each element counted from 1 in brackets ("UV[2].BBNRGT"). The text is
  // valid until the next call on this node.
  const char* getHierarchyAsString();

 protected:
  // The number of occurrences of this node's group that the record holds at
  // the given indices (null: at the top level). 0 without a record.
  long getSizeFor(const DataRecord* record, const long* indices) const;

 private:
  TypeDescriptor* type_;
  FieldDescriptor* parent_;
  std::vector<long> indices_;
  std::uint32_t indices_version_ = 0;
  std::string hierarchy_;
};

// An elementary field. Its value is the text the record under check
// supplies for the field's path at the indices of its parent element, or
// the invalid value when the record does not supply it. The value belongs
// to the DataRecord and lives until the record is cleared for the next
// line; reading a field twice gives the same value.
//
// A field binds itself to the path table of the record it reads from and
// keeps its path id while that table stays the same; a field outside any
// group, or in an element of a top-level group, then reads its value with a
// few loads (get() inlines the read of a field outside any group).
class Field final : public FieldDescriptor, public ValueSource {
 public:
  Field(TypeDescriptor* type, FieldDescriptor* parent);
  ~Field() override;
  Value* get(RuntimeContext* ctx) override;

 private:
  // Where a bound field stands.
  enum class Place : unsigned char {
    kOther,    // no path, or deeper in groups: read() searches
    kRoot,     // outside any group
    kElement,  // in the element bound_index_ of a top-level group
  };

  // Reads what get() does not read inline: binds to the record's path
  // table when needed, then reads.
  Value* read(RuntimeContext* ctx) noexcept;
  // Binds (again) and reads.
  Value* readBound(RuntimeContext* ctx) noexcept;

  // The record and path table this field is bound to, and its path id in
  // it (-1: the table has no such path).
  const DataRecord* bound_record_ = nullptr;
  std::uint64_t bound_layout_stamp_ = 0;
  int bound_path_id_ = -1;
  Place bound_place_ = Place::kOther;
  // Nothing that the record owns is kept: a record made later at the same
  // address, with the same path table, must read as itself.
  long bound_index_ = -1;
  std::uint32_t bound_parent_version_ = 0;  // of the parent's indices, for kElement
};

// The view of a field that a type-conformance check works on.
class FeatureField final : public ValueSource {
 public:
  explicit FeatureField(Field* field) : field_(field) {}
  Value* get(RuntimeContext* ctx) override {
    return field_ ? field_->get(ctx) : ctx->createInvalidValue();
  }
  Field* getField() const { return field_; }

 private:
  Field* field_;
};

// A variable of the rule language. Keeps its own copy of the value it is
// set to, so a topic variable stays valid after the context that made the
// value is reset; get() returns a copy in the asking context, made once
// and handed out again while the variable holds the same value and that
// context has not been reset (values are immutable). Starts as the invalid
// value unless given an initial one. Neither copyable nor movable; not
// thread-safe.
class LocalVariable : public ValueSource {
 public:
  LocalVariable();
  explicit LocalVariable(const Value* initial);
  // Owns its stored value: a copy would free it twice.
  LocalVariable(const LocalVariable&) = delete;
  LocalVariable& operator=(const LocalVariable&) = delete;
  ~LocalVariable() override;

  Value* get(RuntimeContext* ctx) override;
  void set(const Value* value);
  // set() to a value that lives as long as ctx's present epoch (one that
  // get() of a variable gave in ctx, say), which get() in ctx may then
  // hand out instead of a copy of its own.
  void set(RuntimeContext* ctx, Value* value);
  // set() to the invalid value, without a call when it holds that already
  // (check procedures clear their error text before every run).
  void setInvalid() {
    if (!holds_invalid_) set(nullptr);
  }
  // The text the variable holds, without making a value of it; its bytes
  // are followed by a NUL. nullopt when it holds a value of another kind.
  // Valid until the variable is set again.
  std::optional<std::string_view> heldText() const;

 private:
  struct Stored;
  Stored* stored_;
  bool holds_invalid_ = true;
  // The copy the last get() made, in made_in_ during its epoch made_epoch_.
  // Only compared, never followed, unless both still match.
  Value* made_ = nullptr;
  const RuntimeContext* made_in_ = nullptr;
  std::uint64_t made_epoch_ = 0;
};

inline Value* Field::get(RuntimeContext* ctx) {
  // Inline only the common reads, a supplied field outside any group or in
  // an element of a top-level group that the record holds in order, to
  // keep the many places that read fields small. Bound to a place,
  // bound_record_ is a record. Values are immutable; the record owns them
  // until it is cleared.
  const DataRecord* record = ctx->getDataRecord();
  if (bound_place_ == Place::kRoot && record == bound_record_ &&
      record->getLayoutStamp() == bound_layout_stamp_) {
    if (const StringValue* value = record->rootValue(bound_path_id_)) {
      return const_cast<StringValue*>(value);
    }
  } else if (bound_place_ == Place::kElement && record == bound_record_ &&
             record->getLayoutStamp() == bound_layout_stamp_ &&
             getParent()->getIndicesVersion() == bound_parent_version_) {
    const DataRecord::Occurrences& occurrences = record->occurrencesOf(bound_path_id_);
    const auto index = static_cast<std::size_t>(bound_index_);
    if (occurrences.regular && index < occurrences.values.size() &&
        occurrences.values[index] != nullptr) {
      return const_cast<StringValue*>(occurrences.values[index]);
    }
  }
  return read(ctx);
}

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_FIELD_DESCRIPTOR_H_
