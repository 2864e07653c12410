#include "pl/topic.h"

#include <memory>

#include "pl/data_record.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/type_descriptor.h"
#include "pl/util.h"

namespace pl {
namespace {

constexpr int kMaxIndices = 8;

// Builds the -1-terminated index list of count indices, or null for none.
const long* buildIndexList(int count, const long* indices, long (&list)[kMaxIndices + 1]) {
  if (count < 1) return nullptr;
  if (count > kMaxIndices) count = kMaxIndices;  // longer lists cannot be valid
  for (int i = 0; i < count; ++i) list[i] = indices ? indices[i] : -1;
  list[count] = -1;
  return list;
}

}  // namespace

Topic::Topic(TypeDescriptor* type, FieldDescriptor* parent) : FieldDescriptor(type, parent) {}

Topic::~Topic() {
  for (auto& member : members_) delete member.second;
}

const char* Topic::getMaterialName() {
  return getTypeDescriptor() ? getTypeDescriptor()->getName() : "";
}

const char* Topic::getMaterialNameDataset() { return getHierarchyAsString(); }

void Topic::setField(const char* name, FieldDescriptor* member) {
  std::unique_ptr<FieldDescriptor> owned(member);
  members_.emplace_back(std::string(name ? name : ""), owned.get());
  owned.release();
}

FieldDescriptor* Topic::findMember(std::string_view name) const {
  int i = findMemberIndex(name);
  return i < 0 ? nullptr : members_[i].second;
}

int Topic::findMemberIndex(std::string_view name) const {
  for (std::size_t i = 0; i < members_.size(); ++i) {
    if (members_[i].first == name) return static_cast<int>(i);
  }
  return -1;
}

TopicArrayBase::TopicArrayBase(Topic* prototype)
    : FieldDescriptor(prototype ? prototype->getTypeDescriptor() : nullptr,
                      prototype ? prototype->getParent() : nullptr),
      prototype_(prototype) {}

TopicArrayBase::~TopicArrayBase() {
  for (auto& element : elements_) delete element.second;
  elements_.clear();
  delete prototype_;
}

Topic* TopicArrayBase::getElementTopic(RuntimeContext* ctx, int count, const long* indices) {
  if (count == 1 && indices != nullptr && indices[0] >= 0 &&
      indices[0] < static_cast<long>(by_index_.size()) && by_index_[indices[0]] != nullptr) {
    return by_index_[indices[0]];  // only elements of one-dimensional arrays are kept here
  }
  long storage[kMaxIndices + 1];
  const long* list = buildIndexList(count, indices, storage);
  if (!Util::isValidElementAccess(getDimension(), list)) {
    throw new PlausiException(ExceptionType::kInvalidElementAccess,
                              "Ung\xFCltiger Elementzugriff.");
  }
  long key = Util::getHashCode(list);
  auto it = elements_.find(key);
  if (it != elements_.end()) return it->second;
  std::unique_ptr<Topic> element(prototype_->newInstance());
  element->setIndices(list);
  Topic* result = element.get();
  if (list != nullptr && list[1] == -1 && list[0] < kMaxDirectIndex) {
    if (by_index_.size() <= static_cast<std::size_t>(list[0])) by_index_.resize(list[0] + 1);
  }
  elements_.emplace(key, result);
  element.release();
  if (list != nullptr && list[1] == -1 && list[0] < kMaxDirectIndex) by_index_[list[0]] = result;
  return result;
}

long TopicArrayBase::getSize(RuntimeContext* ctx, int count, const long* indices) {
  const DataRecord* record = ctx->getDataRecord();
  if (record == nullptr || getTypeDescriptor() == nullptr) return 0;
  if (record != bound_record_ || record->getLayoutStamp() != bound_layout_stamp_) {
    bound_path_id_ = record->findPath(getTypeDescriptor()->getPath());
    bound_record_ = record;
    bound_layout_stamp_ = record->getLayoutStamp();
  }
  if (bound_path_id_ < 0) return 0;
  long storage[kMaxIndices + 1];
  return record->getGroupSize(bound_path_id_, buildIndexList(count, indices, storage));
}

}  // namespace pl
