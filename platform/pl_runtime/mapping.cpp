#include "pl/mapping.h"

#include <memory>

#include "pl/type_descriptor.h"

namespace pl {

Mapping::~Mapping() {
  for (TypeDescriptor* descriptor : descriptors_) delete descriptor;
}

void Mapping::put(const char* key, const char* value) {
  std::string k = key ? key : "";
  std::string v = value ? value : "";
  auto it = index_.find(k);
  if (it != index_.end()) {
    pairs_[it->second].second = std::move(v);
    return;
  }
  pairs_.reserve(pairs_.size() + 1);
  index_.emplace(k, pairs_.size());
  pairs_.emplace_back(std::move(k), std::move(v));  // cannot throw after reserve
}

const char* Mapping::get(std::string_view key) const {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : pairs_[it->second].second.c_str();
}

void Mapping::adopt(TypeDescriptor* descriptor) { descriptors_.push_back(descriptor); }

}  // namespace pl
