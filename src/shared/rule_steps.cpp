#include "shared/rule_steps.h"

#include "machinery/texts.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace vexal::shared::rule_steps_internal {

void failIfMissing(RuleCall& rule) {
  if (isMissing(rule.value())) rule.fail();
}

// The text functions' answers come from the facts a value keeps, or from
// the functions when a section observer listens (text_functions.h).

void failIfBlank(RuleCall& rule) {
  pl::Value* v = rule.value();
  if (isMissing(v) || isBlank(rule.ctx(), v)) rule.fail();
}

void failIfEmptyTrimmed(RuleCall& rule) {
  pl::Value* v = rule.value();
  if (isMissing(v) || trimmedLength(rule.ctx(), v) == 0u) rule.fail();
}

void failIfSuppliedNotBlank(RuleCall& rule) {
  pl::Value* v = rule.value();
  if (isPresent(v) && !isBlank(rule.ctx(), v)) rule.fail();
}

void failIfNotNumeric(RuleCall& rule) {
  if (!isNumeric(rule.value())) rule.fail();
}

void failIfNotLeftAligned(RuleCall& rule) {
  if (!isLeftAligned(rule.ctx(), rule.value())) rule.fail();
}

void failIfTooLong(RuleCall& rule) {
  if (isLongerThan(rule.value(), rule.fieldLength())) {
    rule.failWith(machinery::texts::kFieldTooLong);
  }
}

void failIfLongerThan(RuleCall& rule) {
  if (isLongerThan(rule.value(), static_cast<std::size_t>(rule.step().number))) rule.fail();
}

void failIfShorterThan(RuleCall& rule) {
  if (isShorterThan(rule.value(), static_cast<std::size_t>(rule.step().number))) rule.fail();
}

void failIfNotOneOf(RuleCall& rule) {
  if (!isOneOf(rule.value(), rule.step().literalList())) rule.fail();
}

void failIfAtMost(RuleCall& rule) {
  if (isAtMost(rule.value(), rule.step().number)) rule.fail();
}

}  // namespace vexal::shared::rule_steps_internal
