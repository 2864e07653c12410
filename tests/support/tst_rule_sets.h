// TST_01 as the only record type of a rule-set provider, for the host's
// printers and drivers in process.

#ifndef VEXAL_TESTS_SUPPORT_TST_RULE_SETS_H_
#define VEXAL_TESTS_SUPPORT_TST_RULE_SETS_H_

#include <string_view>

#include "core/rule_sets.h"
#include "support/test_rule_set.h"

namespace tst {

// Owns its rule set and layout; not thread-safe, as every provider.
class TstRuleSets final : public vexal::core::RuleSetProvider {
 public:
  TstRuleSets() : type_{"TST_01", &plausi_, &definition_, ""} {}
  const vexal::core::LoadedRecordType* find(std::string_view record_type) override {
    return record_type == "TST_01" ? &type_ : nullptr;
  }

 private:
  Plausi_TST_01 plausi_;
  RecordDefinition_TST_01 definition_;
  vexal::core::LoadedRecordType type_;
};

}  // namespace tst

#endif  // VEXAL_TESTS_SUPPORT_TST_RULE_SETS_H_
