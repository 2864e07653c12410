// Table rows for rule tests: a record changed field by field and the rule
// findings it must produce.

#ifndef VEXAL_TESTS_SUPPORT_RULE_CASES_H_
#define VEXAL_TESTS_SUPPORT_RULE_CASES_H_

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/record_builder.h"

namespace vexal::testing {

// One changed field: a padded text, a raw text (any length) or nothing.
struct Change {
  const char* field;
  std::optional<std::string> text;
  bool raw = false;
};

inline Change missing(const char* field) { return {field, std::nullopt}; }
inline Change raw(const char* field, std::string text) { return {field, std::move(text), true}; }

inline RecordBuilder& apply(RecordBuilder& record, const std::vector<Change>& changes) {
  for (const Change& change : changes) {
    if (!change.text) {
      record.drop(change.field);
    } else if (change.raw) {
      record.setRaw(change.field, *change.text);
    } else {
      record.set(change.field, *change.text);
    }
  }
  return record;
}

struct RuleCase {
  const char* name;
  std::vector<Change> changes;
  std::vector<std::string> findings;  // "<id> <text>" of the rule findings
};

inline void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_RULE_CASES_H_
