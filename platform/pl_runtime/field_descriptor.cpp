#include "pl/field_descriptor.h"

#include <string>

#include "pl/data_record.h"
#include "pl/runtime_context.h"
#include "pl/type_descriptor.h"
#include "pl/value.h"

namespace pl {
namespace {

// Collects the indices of the elements above node, outermost first, into
// out (room for DataRecord::kMaxDepth + 1). Returns false when they do not
// fit.
bool collectIndices(const FieldDescriptor* node, long* out) {
  const FieldDescriptor* chain[DataRecord::kMaxDepth + 8];
  int depth = 0;
  for (const FieldDescriptor* p = node; p != nullptr; p = p->getParent()) {
    if (depth == static_cast<int>(sizeof chain / sizeof chain[0])) return false;
    chain[depth++] = p;
  }
  int n = 0;
  for (int i = depth - 1; i >= 0; --i) {
    const long* indices = chain[i]->getIndices();
    for (int k = 0; indices != nullptr && indices[k] != -1; ++k) {
      if (n == DataRecord::kMaxDepth) return false;
      out[n++] = indices[k];
    }
  }
  out[n] = -1;
  return true;
}

}  // namespace

FieldDescriptor::FieldDescriptor(TypeDescriptor* type, FieldDescriptor* parent)
    : type_(type), parent_(parent) {}

FieldDescriptor::~FieldDescriptor() = default;

int FieldDescriptor::getDimension() const { return type_ ? type_->getDimensionCount() : 0; }

void FieldDescriptor::setIndices(const long* indices) {
  std::vector<long> copy;
  if (indices != nullptr) {
    int n = 0;
    while (indices[n] != -1) ++n;
    copy.assign(indices, indices + n + 1);
  }
  indices_.swap(copy);
  ++indices_version_;
}

const char* FieldDescriptor::getHierarchyAsString() {
  const FieldDescriptor* chain[64];
  int depth = 0;
  for (const FieldDescriptor* p = this; p != nullptr && depth < 64; p = p->getParent()) {
    chain[depth++] = p;
  }
  hierarchy_.clear();
  for (int i = depth - 1; i >= 0; --i) {
    const FieldDescriptor* node = chain[i];
    const TypeDescriptor* type = node->getTypeDescriptor();
    // The root topic stands for the record itself and adds nothing.
    bool is_root = type != nullptr && type->getFieldType() == FieldType::kTopic &&
                   type->getDimensionCount() == 0 && node->getParent() == nullptr;
    if (is_root && i != 0) continue;
    if (!hierarchy_.empty()) hierarchy_ += '.';
    if (type != nullptr) hierarchy_ += type->getName();
    const long* indices = node->getIndices();
    for (int k = 0; indices != nullptr && indices[k] != -1; ++k) {
      hierarchy_ += '[';
      hierarchy_ += std::to_string(indices[k] + 1);
      hierarchy_ += ']';
    }
  }
  return hierarchy_.c_str();
}

long FieldDescriptor::getSizeFor(const DataRecord* record, const long* indices) const {
  if (record == nullptr || type_ == nullptr) return 0;
  int id = record->findPath(type_->getPath());
  return id < 0 ? 0 : record->getGroupSize(id, indices);
}

Field::Field(TypeDescriptor* type, FieldDescriptor* parent) : FieldDescriptor(type, parent) {}

Field::~Field() = default;

Value* Field::read(RuntimeContext* ctx) noexcept {
  const DataRecord* record = ctx->getDataRecord();
  // Bound to a place: bound_record_ is a record.
  if (bound_place_ != Place::kOther && record == bound_record_ &&
      record->getLayoutStamp() == bound_layout_stamp_) {
    const StringValue* value = nullptr;
    if (bound_place_ == Place::kRoot) {
      value = record->rootValue(bound_path_id_);
    } else if (getParent()->getIndicesVersion() == bound_parent_version_) {
      const DataRecord::Occurrences& occurrences = record->occurrencesOf(bound_path_id_);
      if (occurrences.regular) {
        if (static_cast<std::size_t>(bound_index_) < occurrences.values.size()) {
          value = occurrences.values[static_cast<std::size_t>(bound_index_)];
        }
      } else if (const auto* entry = record->findOccurrence(bound_path_id_, bound_index_)) {
        value = entry->value;
      }
    } else {
      return readBound(ctx);
    }
    // Values are immutable; the record owns this one until it is cleared.
    if (value != nullptr) return const_cast<StringValue*>(value);
    return ctx->createInvalidValue();
  }
  return readBound(ctx);
}

Value* Field::readBound(RuntimeContext* ctx) noexcept {
  const DataRecord* record = ctx->getDataRecord();
  TypeDescriptor* type = getTypeDescriptor();
  if (record == nullptr || type == nullptr) return ctx->createInvalidValue();
  if (record != bound_record_ || record->getLayoutStamp() != bound_layout_stamp_) {
    bound_path_id_ = record->findPath(type->getPath());
    bound_record_ = record;
    bound_layout_stamp_ = record->getLayoutStamp();
  }
  bound_place_ = Place::kOther;
  if (bound_path_id_ < 0) return ctx->createInvalidValue();
  const DataRecord::FieldEntry* entry;
  const FieldDescriptor* parent = getParent();
  const long* element = parent != nullptr ? parent->getIndices() : nullptr;
  if (parent == nullptr) {
    bound_place_ = Place::kRoot;
    entry = record->findField(bound_path_id_, nullptr);
  } else if (parent->getParent() == nullptr && element != nullptr && element[0] >= 0 &&
             element[1] == -1) {
    // The element of a top-level group: its one index is the field's.
    bound_place_ = Place::kElement;
    bound_index_ = element[0];
    bound_parent_version_ = parent->getIndicesVersion();
    entry = record->findOccurrence(bound_path_id_, bound_index_);
  } else {
    long indices[DataRecord::kMaxDepth + 1];
    if (!collectIndices(getParent(), indices)) return ctx->createInvalidValue();
    entry = record->findField(bound_path_id_, indices);
  }
  if (entry == nullptr || entry->value == nullptr) return ctx->createInvalidValue();
  // Values are immutable; the record owns this one until it is cleared.
  return const_cast<StringValue*>(entry->value);
}

}  // namespace pl
