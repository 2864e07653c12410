// Type descriptors of fields and topics.

#ifndef VEXAL_RUNTIME_PL_TYPE_DESCRIPTOR_H_
#define VEXAL_RUNTIME_PL_TYPE_DESCRIPTOR_H_

#include <string>
#include <vector>

#include "pl/types.h"

namespace pl {

class Mapping;

// Name, display name, type, mask and dimensions of a field or topic. A
// descriptor built with a mapping is owned by that mapping (registered in
// the constructor); one built without belongs to whoever made it. A
// prototype topic and its elements share one descriptor. Immutable.
class TypeDescriptor {
 public:
  // displayName and mask may be null; extents holds dimensionCount longs
  // (or is null for 0 dimensions).
  TypeDescriptor(TypeDescriptor* parent, Mapping* mapping, const char* name,
                 const char* displayName, FieldType type, const char* mask, int dimensionCount,
                 const long* extents);
  TypeDescriptor(const TypeDescriptor&) = delete;
  TypeDescriptor& operator=(const TypeDescriptor&) = delete;
  // Only for descriptors built without a mapping.
  ~TypeDescriptor() = default;

  TypeDescriptor* getParent() const { return parent_; }
  Mapping* getMapping() const { return mapping_; }
  const char* getName() const { return name_.c_str(); }
  // Null when there is none.
  const char* getDisplayName() const { return has_display_name_ ? display_name_.c_str() : nullptr; }
  FieldType getFieldType() const { return type_; }
  // Null when there is none.
  const char* getMask() const { return has_mask_ ? mask_.c_str() : nullptr; }
  int getDimensionCount() const { return static_cast<int>(extents_.size()); }
  long getExtent(int dimension) const { return extents_[dimension]; }
  // The names from the outermost parent down, joined by "." ("UV.BBNRGT"):
  // the key of the field in the record layout and in the check table.
  const std::string& getPath() const { return path_; }

 private:
  TypeDescriptor* parent_;
  Mapping* mapping_;
  std::string name_;
  std::string display_name_;
  bool has_display_name_;
  FieldType type_;
  std::string mask_;
  bool has_mask_;
  std::vector<long> extents_;
  std::string path_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_TYPE_DESCRIPTOR_H_
