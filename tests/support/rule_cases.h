// Table rows for rule tests: a record changed field by field and the
// findings it must produce, and the one runner that checks a row.

#ifndef VEXAL_TESTS_SUPPORT_RULE_CASES_H_
#define VEXAL_TESTS_SUPPORT_RULE_CASES_H_

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/harness.h"
#include "support/record_builder.h"

namespace vexal::testing {

// One changed field: a padded text, a raw text (any length) or nothing.
struct Change {
  std::string field;
  std::optional<std::string> text;
  bool raw = false;
};

inline Change missing(std::string field) { return {std::move(field), std::nullopt}; }
inline Change raw(std::string field, std::string text) {
  return {std::move(field), std::move(text), true};
}

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

// Which findings a row lists: the rule findings only (Harness::ruleFindings)
// or the field findings too (Harness::allFindings).
enum class Listed { kRuleFindings, kAllFindings };

// Checks `record` changed by the row's changes and expects exactly the
// row's findings, in order, no error line and balanced sections.
inline void expectRuleCase(Harness& h, RecordBuilder record, const RuleCase& row,
                           Listed listed = Listed::kRuleFindings) {
  h.checkValues(apply(record, row.changes).values());
  EXPECT_THAT(listed == Listed::kRuleFindings ? h.ruleFindings() : h.allFindings(),
              ::testing::ElementsAreArray(row.findings));
  EXPECT_THAT(h.errors.lines, ::testing::IsEmpty());
  EXPECT_TRUE(h.sections.balanced());
}

// Names a parameterized test by its row's `name`.
struct RowName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_RULE_CASES_H_
