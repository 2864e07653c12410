// What a rule set registers when it is built: the keys of its field checks
// and its mapping of field paths to field names.

#ifndef VEXAL_TESTS_SUPPORT_REGISTRATIONS_H_
#define VEXAL_TESTS_SUPPORT_REGISTRATIONS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "pl/mapping.h"

namespace vexal::testing {

// The keys of the rule set's field checks, in the order it keeps them.
template <class Plausi>
std::vector<std::string> fieldCheckKeys(Plausi& plausi) {
  std::vector<std::string> keys;
  for (const auto& [key, check] : plausi.fieldCheckProcs()) keys.push_back(key);
  return keys;
}

// The mapping's entries in its order, each as "path=name".
inline std::vector<std::string> mappingEntries(const pl::Mapping& mapping) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < mapping.size(); ++i) {
    entries.push_back(std::string(mapping.keyAt(i)) + "=" + mapping.valueAt(i));
  }
  return entries;
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_REGISTRATIONS_H_
