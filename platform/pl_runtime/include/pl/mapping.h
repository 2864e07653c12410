// The field-name mapping of a rule set.

#ifndef VEXAL_RUNTIME_PL_MAPPING_H_
#define VEXAL_RUNTIME_PL_MAPPING_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pl {

class TypeDescriptor;

// Maps field paths of the record layout ("UV.BBNRGT") to short names inside
// their topic ("BBNRGT"); pairs keep the order in which they were put.
// Type descriptors built over a mapping belong to it and are deleted with
// it. Not thread-safe; owned by the Plausi it is given to.
class Mapping {
 public:
  Mapping() = default;
  Mapping(const Mapping&) = delete;
  Mapping& operator=(const Mapping&) = delete;
  ~Mapping();

  // Copies both texts. A key put twice keeps its first place and takes the
  // new value.
  void put(const char* key, const char* value);
  // Null when the key is unknown.
  const char* get(std::string_view key) const;

  std::size_t size() const { return pairs_.size(); }
  const char* keyAt(std::size_t i) const { return pairs_[i].first.c_str(); }
  const char* valueAt(std::size_t i) const { return pairs_[i].second.c_str(); }

 private:
  friend class TypeDescriptor;
  void adopt(TypeDescriptor* descriptor);

  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, std::size_t, std::less<>> index_;
  std::vector<TypeDescriptor*> descriptors_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_MAPPING_H_
