// Where the parts of a record line lie after its header: the group
// occurrences and their mandatory fields, for tests that cut lines.

#ifndef VEXAL_TESTS_SUPPORT_LINE_LAYOUT_H_
#define VEXAL_TESTS_SUPPORT_LINE_LAYOUT_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vexal::testing {

// Where a record line's parts lie after its header.
struct LineLayout {
  std::size_t header = 0;  // characters of the header
  // The group occurrences after the header, in line order: the start of
  // their findings' ids ("UV[2]", "AN[1]") and where they end in the line.
  std::vector<std::pair<std::string, std::size_t>> occurrences;
  // Mandatory fields after the header: the id of the finding that reports
  // one missing and where it starts in the line.
  std::vector<std::pair<std::string, std::size_t>> mandatory;
};

// The contact person as an occurrence from `offset` on: 321 characters,
// its mandatory town 245 characters in.
inline void addContactPerson(LineLayout& layout, std::size_t offset) {
  layout.occurrences.emplace_back("AN[1]", offset + 321);
  layout.mandatory.emplace_back("AN[1].ORT#ORT", offset + 245);
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_LINE_LAYOUT_H_
