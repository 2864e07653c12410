// Topics (groups of fields with their rule-language variables) and topic
// arrays (the repeated blocks of a record).

#ifndef VEXAL_RUNTIME_PL_TOPIC_H_
#define VEXAL_RUNTIME_PL_TOPIC_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pl/field_descriptor.h"

namespace pl {

class RuntimeContext;

class MaterialDescriptor {
 public:
  virtual ~MaterialDescriptor() = default;
  virtual const char* getMaterialName() = 0;
  virtual const char* getMaterialNameDataset() = 0;
};

// A node with named members (fields and topic arrays). Owns the members
// registered with setField and deletes them when it is destroyed; the
// derived topic class owns its own variables.
class Topic : public FieldDescriptor, public MaterialDescriptor {
 public:
  Topic(TypeDescriptor* type, FieldDescriptor* parent);
  ~Topic() override;

  // A new topic of the same class sharing this one's type descriptor,
  // parent and rule set. Used by topic arrays to make their elements.
  virtual Topic* newInstance() = 0;

  // The type descriptor's name, and the node's hierarchy text.
  const char* getMaterialName() override;
  const char* getMaterialNameDataset() override;

  std::size_t getMemberCount() const { return members_.size(); }
  const char* getMemberName(std::size_t i) const { return members_[i].first.c_str(); }
  FieldDescriptor* getMember(std::size_t i) const { return members_[i].second; }
  // Null when no member has that name.
  FieldDescriptor* findMember(std::string_view name) const;
  // Position of the member with that name, or -1.
  int findMemberIndex(std::string_view name) const;

 protected:
  // Takes ownership of member, also when registering fails.
  void setField(const char* name, FieldDescriptor* member);

 private:
  std::vector<std::pair<std::string, FieldDescriptor*>> members_;
};

// The untyped core of TopicArray<T>: a prototype element and the elements
// made from it so far, keyed by the hash code of their index lists. Owns
// prototype and elements. Elements are cached across records.
class TopicArrayBase : public FieldDescriptor {
 public:
  // Takes ownership of prototype.
  explicit TopicArrayBase(Topic* prototype);
  ~TopicArrayBase() override;

  // The element at `count` zero-based indices, made on first access. Throws
  // a heap-allocated PlausiException (ExceptionType 7) when the indices do
  // not fit the array's dimension.
  Topic* getElementTopic(RuntimeContext* ctx, int count, const long* indices);
  // How many elements the record under check holds at the given indices
  // (count 0: at the top level).
  long getSize(RuntimeContext* ctx, int count, const long* indices);

  Topic* getPrototypeTopic() const { return prototype_; }
  std::size_t getCachedElementCount() const { return elements_.size(); }

 private:
  // Elements up to this index of a one-dimensional array are also kept by
  // index, so that reaching one takes no search.
  static constexpr long kMaxDirectIndex = 1024;

  Topic* prototype_;
  std::map<long, Topic*> elements_;
  std::vector<Topic*> by_index_;  // not owned; null where none was made yet
  // The record and path table getSize() last asked, and this array's path
  // id in it (-1: none).
  const DataRecord* bound_record_ = nullptr;
  std::uint64_t bound_layout_stamp_ = 0;
  int bound_path_id_ = -1;
};

template <class T>
class TopicArray final : public TopicArrayBase {
 public:
  explicit TopicArray(T* prototype) : TopicArrayBase(prototype) {}

  T* getElement(RuntimeContext* ctx, int count, const long* indices) {
    return static_cast<T*>(getElementTopic(ctx, count, indices));
  }
  T* getPrototype() const { return static_cast<T*>(getPrototypeTopic()); }
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_TOPIC_H_
