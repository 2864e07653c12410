// Which rule functions clear the root topic's hf_fehlertext before their
// tests, and which leave it as it was; the table of rule functions callable
// by name.

#ifndef VEXAL_TESTS_SUPPORT_ERROR_TEXT_H_
#define VEXAL_TESTS_SUPPORT_ERROR_TEXT_H_

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "support/harness.h"

namespace vexal::testing {

// Calls each rule function by name on the record last checked, with a text
// in hf_fehlertext before, and returns those that left the invalid value.
// Each must pass (return 1); the others must leave the text untouched.
inline std::set<std::string> functionsClearingErrorText(Harness& h,
                                                        const std::vector<const char*>& names) {
  auto* root = static_cast<machinery::RuleTopic*>(h.plausi().rootTopic());
  std::set<std::string> clearing;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    root->hf_fehlertext->set(h.ctx().createStringValue("vorher"));
    EXPECT_EQ(h.plausi().callFunction(&h.ctx(), name)->getLong(), 1);
    pl::Value* text = root->hf_fehlertext->get(&h.ctx());
    if (text->isInvalid()) {
      clearing.insert(name);
    } else {
      EXPECT_STREQ(text->getString(), "vorher");
    }
  }
  return clearing;
}

// The rule set's by-name table as "name(parameter, ...)", in table order.
inline std::vector<std::string> byNameTable(const pl::Plausi& plausi) {
  std::vector<std::string> rows;
  for (const machinery::CallableRow& function :
       static_cast<const machinery::RuleSet&>(plausi).catalogue().functions) {
    std::string row = std::string(function.name) + "(";
    for (std::size_t i = 0; i < function.parameter_count; ++i) {
      row += (i > 0 ? ", " : "") + std::string(function.parameters[i]);
    }
    rows.push_back(row + ")");
  }
  return rows;
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_ERROR_TEXT_H_
