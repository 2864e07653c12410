// The display names of a rule set's fields, by layout path.

#ifndef VEXAL_HOST_CORE_DISPLAY_NAMES_H_
#define VEXAL_HOST_CORE_DISPLAY_NAMES_H_

#include <map>
#include <string>
#include <string_view>

#include "pl/plausi.h"

namespace vexal::core {

// Read once from the rule set's topic tree: every field's type descriptor
// carries its layout path ("UV.BBNRGT") and display name. Owns copies of
// the texts; immutable once made.
class DisplayNames {
 public:
  DisplayNames() = default;
  // Empty for a null rule set.
  static DisplayNames of(pl::Plausi* plausi);

  // Null when the rule set names no field there.
  const char* find(std::string_view path) const;
  std::size_t size() const { return names_.size(); }

 private:
  std::map<std::string, std::string, std::less<>> names_;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_DISPLAY_NAMES_H_
