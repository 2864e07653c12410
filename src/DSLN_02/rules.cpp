// The rule bodies of DSLN_02 that are its own: the enterprise number's
// default and the reporting period.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "DSLN_02/DSLN_02.h"
#include "pl/blanks.h"
#include "pl/functions.h"
#include "shared/digit_words.h"
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

namespace {

// F_IstNullen of the bytes: no character but "0" (the empty text too).
bool allZeros(std::string_view text) {
  for (char c : text) {
    if (c != '0') return false;
  }
  return true;
}

// What the steps ask of the whole text: F_IstLeerzeichen, F_IstNullen,
// and eight characters NUMERISCH. A text of eight characters is read as
// one word.
struct PeriodShape {
  bool blank;
  bool zeros;
  bool eight_digits;
};

PeriodShape shapeOf(std::string_view text) {
  if (text.size() == 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data(), sizeof word);
    return {word == 0x2020202020202020u, word == 0x3030303030303030u, eightDigits(word)};
  }
  return {pl::firstNonBlank(text) == text.size(), allZeros(text), false};
}

}  // namespace

// The steps of reportingPeriod() on the bytes of a text, where no section
// observer sees the functions they call: F_IstLeerzeichen, F_IstNullen,
// TEIL and isTypeConform answered without making values. The same texts
// in the same order.
void TB_DSLN_02::reportingPeriodOfText(RuleCall& rule, const pl::StringValue& text) {
  pl::RuntimeContext* ctx = rule.ctx();
  const std::string_view day = text.view();
  const PeriodShape shape = shapeOf(day);
  if (shape.blank) {
    rule.failWith(rule.text(0));
    return;
  }
  if (shape.zeros && equalsText(KENNZST->get(ctx), "N") && !allZeros(textOf(UNRS->get(ctx)))) {
    rule.failWith(rule.text(1));
    return;
  }
  if (day.size() != 8) {
    rule.failWith(rule.text(2));
    return;
  }
  if (!shape.eight_digits) {
    rule.failWith(rule.text(0));
    return;
  }
  if (shape.zeros) return;
  // Eight digits, not all zeros: TEIL(day, 1, 1) equals 2 as the digit "2".
  Day reported;
  if (day[0] != '2' || !readDay(day, &reported)) {
    rule.failWith(rule.text(2));
    return;
  }
  pl::Value* mjahr = MJAHR->get(ctx);
  if (const pl::StringValue* year = pl::as<pl::StringValue>(mjahr)) {
    // Two texts are equal when their bytes are; the first four of the day
    // are digits.
    const std::string_view digits = year->view();
    if (digits.size() == 4 && digits != day.substr(0, 4) && pl::Functions::isDigits(digits)) {
      rule.failWith(rule.text(3));
    }
  } else if (hasLength(mjahr, 4) && isNumeric(mjahr) &&
             !pl::Functions::equals(mjahr, part(ctx, rule.value(), 1, 4))) {
    rule.failWith(rule.text(3));
  }
}

// A date of eight digits, the first "2" and the first four the reporting
// year; or eight zeros, which only a report that gives no enterprise number
// (or a cancellation) may have.
void TB_DSLN_02::reportingPeriod(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* day = rule.value();
  if (const pl::StringValue* text = pl::as<pl::StringValue>(day);
      text != nullptr && !ctx->hasSectionObserver()) {
    reportingPeriodOfText(rule, *text);
    return;
  }
  const char* not_numeric = rule.text(0);
  const char* zeros_refused = rule.text(1);
  const char* no_date = rule.text(2);
  const char* other_year = rule.text(3);
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
