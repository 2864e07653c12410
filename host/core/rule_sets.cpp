#include "core/rule_sets.h"

namespace vexal::core {

LibraryRuleSets::LibraryRuleSets(const Library& library) : library_(library) {
  for (std::size_t t = 0; t < kRecordTypes.size(); ++t) {
    entries_[t].loaded.record_type = kRecordTypes[t];
  }
}

LibraryRuleSets::~LibraryRuleSets() {
  for (Entry& entry : entries_) library_.unload(entry.loaded);
}

const LoadedRecordType* LibraryRuleSets::find(std::string_view record_type) {
  for (Entry& entry : entries_) {
    if (entry.loaded.record_type != record_type) continue;
    if (!entry.tried) {
      library_.load(entry.loaded);
      entry.tried = true;
    }
    return &entry.loaded;
  }
  return nullptr;
}

}  // namespace vexal::core
