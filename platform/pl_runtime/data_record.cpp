#include "pl/data_record.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "pl/value.h"
#include "random_start.h"

namespace pl {
namespace {

int copyIndices(const long* indices, long* out) {
  int n = 0;
  if (indices != nullptr) {
    for (; indices[n] != -1; ++n) {
      if (n == DataRecord::kMaxDepth) throw std::length_error("DataRecord: groups nested too deep");
      out[n] = indices[n];
    }
  }
  out[n] = -1;
  return n;
}

void checkDepth(int depth) {
  if (depth < 0 || depth > DataRecord::kMaxDepth) {
    throw std::length_error("DataRecord: groups nested too deep");
  }
}

bool sameIndices(const long* stored, int depth, const long* indices) {
  for (int i = 0; i < depth; ++i) {
    if (indices == nullptr || indices[i] != stored[i]) return false;
  }
  return indices == nullptr ? depth == 0 : indices[depth] == -1;
}

}  // namespace

int DataRecord::internPath(std::string_view path) {
  int id = findPath(path);
  if (id >= 0) return id;
  id = static_cast<int>(paths_.size());
  std::string key(path);
  paths_.reserve(paths_.size() + 1);
  by_path_.reserve(by_path_.size() + 1);
  occurrences_.reserve(occurrences_.size() + 1);
  root_field_.reserve(root_field_.size() + 1);
  root_values_.reserve(root_values_.size() + 1);
  paths_.push_back(std::move(key));
  by_path_.emplace_back();
  occurrences_.emplace_back();
  root_field_.push_back(-1);
  root_values_.push_back(nullptr);
  for (unsigned char c : path) stamp_ = (stamp_ ^ c) * 1099511628211ull;
  stamp_ = (stamp_ ^ 0xFFu) * 1099511628211ull;
  return id;
}

int DataRecord::findPath(std::string_view path) const {
  // Few paths per record type: a linear scan beats hashing a temporary.
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (paths_[i] == path) return static_cast<int>(i);
  }
  return -1;
}

DataRecord::DataRecord() : cut_version_(internal::randomStart(this)) {}

void DataRecord::clear() {
  ++cut_version_;
  text_.clear();
  field_values_.reset();
  values_.reset();
  fields_.clear();
  groups_.clear();
  for (auto& positions : by_path_) positions.clear();
  for (Occurrences& occurrences : occurrences_) {
    occurrences.values.clear();
    occurrences.regular = true;
  }
  std::fill(root_field_.begin(), root_field_.end(), -1);
  std::fill(root_values_.begin(), root_values_.end(), nullptr);
}

void DataRecord::clearAndRelease() {
  clear();
  std::string().swap(text_);
}

void DataRecord::setText(std::string_view line) {
  ++cut_version_;
  text_.assign(line.data(), line.size());
}

void DataRecord::replaceText(std::string_view line) {
  if (line.size() != text_.size()) {
    throw std::invalid_argument("DataRecord: a new line of another length");
  }
  // Same length: the bytes stay where they are, and so do the views.
  if (!line.empty()) std::memcpy(text_.data(), line.data(), line.size());
  if (values_.empty()) {
    // No value holds a copy of the old bytes; what a value found out
    // about them and kept is wrong now.
    for (const FieldEntry& entry : fields_) {
      if (entry.value != nullptr) entry.value->forgetFacts();
    }
    return;
  }
  for (const FieldEntry& entry : fields_) {
    if (entry.value != nullptr)
      makeValue(const_cast<StringValue*>(entry.value), entry.offset, entry.size);
  }
  values_.reset();
}

void DataRecord::makeValue(void* place, std::size_t offset, std::size_t size) {
  const char* text = text_.data() + offset;
  if (offset + size == text_.size()) {
    new (place) StringValue(text, size);
  } else {
    new (place) StringValue(text, size, &values_);
  }
}

void DataRecord::addField(int path_id, const long* indices, std::size_t offset, std::size_t size,
                          bool supplied) {
  long copied[kMaxDepth + 1];
  addField(path_id, copyIndices(indices, copied), copied, offset, size, supplied);
}

void DataRecord::addGroup(int path_id, const long* indices, long count) {
  long copied[kMaxDepth + 1];
  addGroup(path_id, copyIndices(indices, copied), copied, count);
}

void DataRecord::addField(int path_id, int depth, const long* indices, std::size_t offset,
                          std::size_t size, bool supplied) {
  if (path_id < 0 || static_cast<std::size_t>(path_id) >= paths_.size()) {
    throw std::out_of_range("DataRecord: unknown path id");
  }
  checkDepth(depth);
  ++cut_version_;
  const std::size_t text_size = text_.size();
  if (!supplied || offset > text_size) {
    offset = 0;
    size = 0;
  } else if (size > text_size - offset) {
    size = text_size - offset;
  }
  StringValue* value = nullptr;
  if (supplied) {
    // Every read of the field shares this value: values never change.
    value = static_cast<StringValue*>(
        field_values_.allocate(sizeof(StringValue), alignof(StringValue)));
    makeValue(value, offset, size);
  }
  // Fields outside groups are looked up without indices, through
  // root_field_ alone; by_path_ serves the occurrences of groups.
  const int position = static_cast<int>(fields_.size());
  std::vector<int>& positions = by_path_[static_cast<std::size_t>(path_id)];
  Occurrences& occurrences = occurrences_[static_cast<std::size_t>(path_id)];
  // The next occurrence in index order, where findOccurrence looks first.
  const bool in_order = depth == 1 && indices[0] == static_cast<long>(positions.size());
  bool value_kept = false;
  FieldEntry* entry;
  try {
    if (depth > 0) {
      if (in_order && occurrences.regular) {
        occurrences.values.push_back(value);
        value_kept = true;
      }
      positions.push_back(position);
    }
    entry = &fields_.emplace_back();
  } catch (...) {
    if (depth > 0 && !positions.empty() && positions.back() == position) positions.pop_back();
    if (value_kept) occurrences.values.pop_back();
    throw;
  }
  if (depth > 0 && !in_order) occurrences.regular = false;
  entry->path_id = path_id;
  entry->depth = depth;
  for (int i = 0; i < depth; ++i) entry->indices[i] = indices[i];
  entry->indices[depth] = -1;
  entry->offset = offset;
  entry->size = size;
  entry->supplied = supplied;
  entry->value = value;
  int& root = root_field_[static_cast<std::size_t>(path_id)];
  if (depth == 0 && root < 0) {
    root = position;
    root_values_[static_cast<std::size_t>(path_id)] = value;
  }
}

void DataRecord::addGroup(int path_id, int depth, const long* indices, long count) {
  checkDepth(depth);
  ++cut_version_;
  GroupEntry entry{};
  entry.path_id = path_id;
  entry.depth = depth;
  for (int i = 0; i < depth; ++i) entry.indices[i] = indices[i];
  entry.indices[depth] = -1;
  entry.count = count;
  groups_.push_back(entry);
}

const DataRecord::FieldEntry* DataRecord::findField(int path_id, const long* indices) const {
  if (path_id < 0 || static_cast<std::size_t>(path_id) >= by_path_.size()) return nullptr;
  const std::vector<int>& positions = by_path_[path_id];
  if (indices == nullptr || indices[0] == -1) {
    const int position = root_field_[path_id];
    return position < 0 ? nullptr : &fields_[position];
  }
  // Occurrences of a top-level group are added in order: try the direct
  // position first.
  if (indices != nullptr && indices[0] >= 0 && indices[1] == -1 &&
      static_cast<std::size_t>(indices[0]) < positions.size()) {
    const FieldEntry& entry = fields_[positions[indices[0]]];
    if (sameIndices(entry.indices, entry.depth, indices)) return &entry;
  }
  for (int position : positions) {
    const FieldEntry& entry = fields_[position];
    if (sameIndices(entry.indices, entry.depth, indices)) return &entry;
  }
  return nullptr;
}

long DataRecord::getGroupSize(int path_id, const long* indices) const {
  for (const GroupEntry& group : groups_) {
    if (group.path_id == path_id && sameIndices(group.indices, group.depth, indices)) {
      return group.count;
    }
  }
  return 0;
}

}  // namespace pl
