#include "pl/type_descriptor.h"

#include "pl/mapping.h"

namespace pl {

TypeDescriptor::TypeDescriptor(TypeDescriptor* parent, Mapping* mapping, const char* name,
                               const char* displayName, FieldType type, const char* mask,
                               int dimensionCount, const long* extents)
    : parent_(parent),
      mapping_(mapping),
      name_(name ? name : ""),
      display_name_(displayName ? displayName : ""),
      has_display_name_(displayName != nullptr),
      type_(type),
      mask_(mask ? mask : ""),
      has_mask_(mask != nullptr) {
  for (int i = 0; i < dimensionCount; ++i) extents_.push_back(extents ? extents[i] : 0);
  path_ = parent_ ? parent_->getPath() + "." + name_ : name_;
  // Registered last: a constructor that throws before leaves nothing behind.
  if (mapping_ != nullptr) mapping_->adopt(this);
}

}  // namespace pl
