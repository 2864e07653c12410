// The record under check, as the runtime reads it.

#ifndef VEXAL_RUNTIME_PL_DATA_RECORD_H_
#define VEXAL_RUNTIME_PL_DATA_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pl/arena.h"

namespace pl {

class StringValue;

// One record line cut into fields: for every field of the layout that the
// record holds, in layout order, its path ("KE", "UV.BBNRGT"), the indices
// of the group occurrence it belongs to, and where its text stands in the
// line; for every group, how often it occurs. A field whose place lies
// beyond the end of the line is held but not supplied (it reads as the
// invalid value). Hosts fill it from the record model's cut; the rule
// runtime reads it through RuntimeContext::getDataRecord.
//
// Paths are interned once and keep their ids; clear() forgets the record
// but keeps paths and capacity, so a host reuses one DataRecord per record
// type without allocating in steady state. The values that fields read
// from it belong to it and stay valid until the next clear(); they are
// views of the record's copy of the line, so cutting a record copies its
// bytes once. Not thread-safe.
class DataRecord {
 public:
  static constexpr int kMaxDepth = 4;

  struct FieldEntry {
    int path_id;
    int depth;                    // number of indices
    long indices[kMaxDepth + 1];  // zero-based, then -1
    std::size_t offset;           // in the line
    std::size_t size;             // supplied bytes (may be shorter than the layout length)
    bool supplied;
    // The field's value, made once per record; null when not supplied.
    const StringValue* value;
  };

  DataRecord();
  DataRecord(const DataRecord&) = delete;
  DataRecord& operator=(const DataRecord&) = delete;

  // --- Paths
  int internPath(std::string_view path);
  // -1 when the path was never interned.
  int findPath(std::string_view path) const;
  std::size_t getPathCount() const { return paths_.size(); }
  std::string_view getPath(int id) const { return paths_[id]; }
  // A hash of all interned paths in order; equal stamps mean equal ids.
  std::uint64_t getLayoutStamp() const { return stamp_; }
  // Names the record's cut: changes whenever it is cut anew (clear(),
  // setText(), addField(), addGroup()), not when replaceText() gives the
  // same cut new bytes, so that equal versions of one record mean the
  // same entries of the same sizes. Starts at a random number, so that a
  // record made where another stood does not take up its versions.
  std::uint64_t getCutVersion() const { return cut_version_; }

  // --- Content of one record
  void clear();
  // clear(), and gives back the room the longest line so far took: for a
  // host that met an unusually long line and keeps the record for more.
  void clearAndRelease();
  // Copies the line; call it after clear() and before adding fields, which
  // view this copy.
  void setText(std::string_view line);
  // Takes the bytes of another line as long as the current one, for a host
  // that knows it is cut the same way: fields and groups stay, every field
  // now reads the new bytes. Throws std::invalid_argument for a line of
  // another length.
  void replaceText(std::string_view line);
  std::string_view getText() const { return text_; }
  // indices: null or -1-terminated, at most kMaxDepth. offset and size are
  // cut to the text when supplied.
  void addField(int path_id, const long* indices, std::size_t offset, std::size_t size,
                bool supplied);
  void addGroup(int path_id, const long* indices, long count);
  // The same with the number of indices given instead of the -1 (0 to
  // kMaxDepth): what hosts call for every field they cut.
  void addField(int path_id, int depth, const long* indices, std::size_t offset, std::size_t size,
                bool supplied);
  void addGroup(int path_id, int depth, const long* indices, long count);

  std::size_t getFieldCount() const { return fields_.size(); }
  // Every field entry, in the order added.
  std::span<const FieldEntry> fields() const { return fields_; }
  const FieldEntry& getField(std::size_t i) const { return fields_[i]; }
  std::string_view getFieldText(const FieldEntry& entry) const {
    return {text_.data() + entry.offset, entry.size};
  }
  // Null when the record holds no such field occurrence.
  const FieldEntry* findField(int path_id, const long* indices) const;
  // The values of one path's fields in the occurrences of a top-level
  // group, by index, while those fields were added in the order of their
  // indices, as a host adds them: then values[index] is the value of
  // findOccurrence(path, index), and null when it has none (also beyond
  // the end). `regular` turns false, until clear(), when one was not.
  struct Occurrences {
    std::vector<const StringValue*> values;
    bool regular = true;
  };
  // The occurrences of path_id, an interned path.
  const Occurrences& occurrencesOf(int path_id) const {
    return occurrences_[static_cast<std::size_t>(path_id)];
  }
  // findField(path_id, {index, -1}): a field of the index-th occurrence of
  // a top-level group, which usually stands where the index says.
  const FieldEntry* findOccurrence(int path_id, long index) const {
    const std::vector<int>& positions = by_path_[static_cast<std::size_t>(path_id)];
    if (index >= 0 && static_cast<std::size_t>(index) < positions.size()) {
      const FieldEntry& entry = fields_[static_cast<std::size_t>(positions[index])];
      if (entry.depth == 1 && entry.indices[0] == index) return &entry;
    }
    const long indices[2] = {index, -1};
    return findField(path_id, indices);
  }
  // The value of the first field outside any group with that path: null
  // when the record holds no such field or does not supply it. path_id
  // must be interned. What a root field reads, without a search.
  const StringValue* rootValue(int path_id) const {
    return root_values_[static_cast<std::size_t>(path_id)];
  }
  // 0 when the record holds no such group.
  long getGroupSize(int path_id, const long* indices) const;

 private:
  struct GroupEntry {
    int path_id;
    int depth;
    long indices[kMaxDepth + 1];
    long count;
  };

  std::vector<std::string> paths_;
  std::uint64_t stamp_ = 1469598103934665603ull;
  std::uint64_t cut_version_;

  // Makes a field's value at `place`: a view of the line, or, for the
  // field that ends the line, a text that the line's own NUL ends.
  void makeValue(void* place, std::size_t offset, std::size_t size);

  std::string text_;
  // The field values; and the NUL-terminated copies that views make of
  // their bytes when asked, which a new line of the same cut drops alone.
  Arena field_values_;
  Arena values_;
  std::vector<FieldEntry> fields_;
  std::vector<GroupEntry> groups_;
  // Per path id: positions in fields_ in the order added, and their values
  // while in index order.
  std::vector<std::vector<int>> by_path_;
  std::vector<Occurrences> occurrences_;
  // Per path id: the position of its first field outside any group, or -1.
  std::vector<int> root_field_;
  // Per path id: the value of that field (null: none, or not supplied).
  std::vector<const StringValue*> root_values_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_DATA_RECORD_H_
