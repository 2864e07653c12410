// The rule bodies of DSKO_04 that are its own: the creation time stamp, the
// protocol address, and the error count tied to an error flag of "0".

#include "DSKO_04/DSKO_04.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSKO_04 {
namespace {

using pl::Functions;
using vexal::machinery::texts::kFieldTooLong;
using namespace vexal::shared;

}  // namespace

// ED: a left-aligned string of 14 to 20 digits, the creation date
// "JJJJMMTT" (not after the processing date), the time "SSmmss", then
// positions 15 to 18 tested with NUMERISCH. The texts: not numeric, not a
// date, not a time, after the processing date.
void TB_DSKO_04::F_PruefeED(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* ed = rule.value();
  const char* not_numeric = rule.text(0);
  const char* not_a_date = rule.text(1);
  if (isMissing(ed)) rule.failWith(not_numeric);
  if (rule.ok() && !isTrue(F_IstLinksbündig(ctx, ed))) rule.failWith(not_numeric);
  if (rule.ok() && isLongerThan(ed, 20)) rule.failWith(not_a_date);
  if (rule.ok() && isShorterThan(ed, 14)) rule.failWith(not_numeric);
  if (rule.ok() && isShorterThan(F_Trim(ctx, ed), 14)) rule.failWith(not_numeric);
  if (rule.ok() && !isNumeric(ed)) rule.failWith(not_numeric);
  if (rule.ok() && !conforms(part(ctx, ed, 1, 8), pl::FieldType::kDateTime, "JJJJMMTT")) {
    rule.failWith(not_a_date);
  }
  if (rule.ok() && (!conforms(part(ctx, ed, 9, 6), pl::FieldType::kDateTime, "SSmmss") ||
                    !isNumeric(part(ctx, ed, 15, 4)))) {
    rule.failWith(rule.text(2));
  }
  if (rule.ok()) {
    pl::Value* day = part(ctx, ed, 1, 8);
    pl::Value* created = ctx->createDateValue(textOf(day), "JJJJMMTT");
    if (Functions::order(created, Functions::HEUTE(ctx)) == Order::kGreater) {
      rule.failWith(rule.text(3));
    }
  }
}

// Not empty once trimmed; the length is tested whatever that found; then
// the characters and the at-sign of the trimmed address. F_Trim is applied
// afresh in each step. The texts: empty, characters, address.
void TB_DSKO_04::F_PruefeEMAILAP(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* mail = rule.value();
  if (isMissing(mail) || hasLength(F_Trim(ctx, mail), 0)) {
    rule.failWith(rule.text(0));
  }
  if (isLongerThan(mail, 70)) rule.failWith(kFieldTooLong);
  if (rule.ok() && !isTrue(F_IstErlaubteEmailZeichen(ctx, F_Trim(ctx, mail)))) {
    rule.failWith(rule.text(1));
  }
  if (rule.ok() && !isTrue(F_IstErlaubteEmail(ctx, F_Trim(ctx, mail)))) {
    rule.failWith(rule.text(2));
  }
}

// Only an error mark of "0" ties the error count: it must be "0" too.
void TB_DSKO_04::errorCountWithoutErrorFlag(RuleCall& rule) {
  pl::Value* fekz = FEKZ->get(rule.ctx());
  if (isPresent(fekz) && isNumeric(fekz) && equalsText(fekz, "0") &&
      !equalsText(rule.value(), "0")) {
    rule.fail();
  }
}

}  // namespace DSKO_04
