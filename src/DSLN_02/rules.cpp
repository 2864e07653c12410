// The rule bodies of DSLN_02 that are its own: the enterprise number's
// default and the reporting period.

#include "DSLN_02/DSLN_02.h"
#include "pl/functions.h"
#include "shared/enterprise_numbers.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSLN_02 {

using namespace vexal::shared;

pl::Value* TB_DSLN_02::F_IstUNRSGrundstellung(pl::RuntimeContext* ctx) {
  static constexpr vexal::machinery::FunctionName kName("F_IstUNRSGrundstellung");
  return vexal::machinery::ruleFunction(ctx, kName,
                                        [&] { return F_IstNullen(ctx, UNRS->get(ctx)); });
}

// A date of eight digits, the first "2" and the first four the reporting
// year; or eight zeros, which only a report that gives no enterprise number
// (or a cancellation) may have.
void TB_DSLN_02::reportingPeriod(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  const char* not_numeric = rule.text(0);
  const char* zeros_refused = rule.text(1);
  const char* no_date = rule.text(2);
  const char* other_year = rule.text(3);
  pl::Value* day = rule.value();
  if (isMissing(day) || isTrue(F_IstLeerzeichen(ctx, day))) rule.failWith(not_numeric);
  bool zeros = rule.ok() && isTrue(F_IstNullen(ctx, day));
  if (rule.ok() && zeros && equalsText(KENNZST->get(ctx), "N") &&
      !isTrue(F_IstUNRSGrundstellung(ctx))) {
    rule.failWith(zeros_refused);
  }
  if (rule.ok() && !hasLength(day, 8)) rule.failWith(no_date);
  if (rule.ok() && !isNumeric(day)) rule.failWith(not_numeric);
  if (rule.ok() && !zeros && !equalsNumber(part(ctx, day, 1, 1), 2)) rule.failWith(no_date);
  if (rule.ok() && !zeros && !conforms(day, pl::FieldType::kDateTime, "JJJJMMTT")) {
    rule.failWith(no_date);
  }
  pl::Value* mjahr = MJAHR->get(ctx);
  if (rule.ok() && !zeros && hasLength(mjahr, 4) && isNumeric(mjahr) &&
      !pl::Functions::equals(mjahr, part(ctx, day, 1, 4))) {
    rule.failWith(other_year);
  }
}

}  // namespace DSLN_02
