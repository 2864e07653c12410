// The rule bodies of DSKO_04 that are its own: the creation time stamp, the
// protocol address, and the error count tied to an error flag of "0".

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "DSKO_04/DSKO_04.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/digit_words.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSKO_04 {
namespace {

using vexal::machinery::texts::kFieldTooLong;
using namespace vexal::shared;

// A time stamp as ED's first tests want it: 14 to 20 digits. Read as
// words within the text: the first, the one ending with the text, and,
// for a text longer than both cover, the one between.
bool isTimestampOfDigits(std::string_view text) {
  const std::size_t size = text.size();
  if (size < 14 || size > 20) return false;
  return eightDigits(wordAt(text, 0)) && eightDigits(wordAt(text, size - 8)) &&
         (size <= 16 || eightDigits(wordAt(text, 8)));
}

}  // namespace

// ED: a left-aligned string of 14 to 20 digits, the creation date
// "JJJJMMTT" (not after the processing date), the time "SSmmss", then
// positions 15 to 18 tested with NUMERISCH. The texts: not numeric, not a
// date, not a time, after the processing date. Once ED is known to be
// digits, its parts are read from its bytes: what TEIL and isTypeConform
// would answer of them, without making the parts.
void TB_DSKO_04::F_PruefeED(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* ed = rule.value();
  const char* not_a_date = rule.text(1);
  // Unobserved, a text of 14 to 20 digits passes the first tests without
  // asking them: it is left-aligned and has no blanks to trim.
  const pl::StringValue* text = pl::as<pl::StringValue>(ed);
  if (text == nullptr || ctx->hasSectionObserver() || !isTimestampOfDigits(text->view())) {
    const char* not_numeric = rule.text(0);
    if (isMissing(ed)) rule.failWith(not_numeric);
    if (rule.ok() && !isLeftAligned(ctx, ed)) rule.failWith(not_numeric);
    if (rule.ok() && isLongerThan(ed, 20)) rule.failWith(not_a_date);
    if (rule.ok() && isShorterThan(ed, 14)) rule.failWith(not_numeric);
    if (rule.ok()) {
      const std::optional<std::size_t> trimmed = trimmedLength(ctx, ed);
      if (trimmed && *trimmed < 14) rule.failWith(not_numeric);
    }
    if (rule.ok() && !isNumeric(ed)) rule.failWith(not_numeric);
    if (!rule.ok()) return;
  }
  // 14 to 20 digits.
  const std::string_view digits = textOf(ed);
  Day created_on;
  if (!readDay(digits.substr(0, 8), &created_on)) {
    rule.failWith(not_a_date);
    return;
  }
  // TEIL(ED, 15, 4) is numeric when ED reaches position 15.
  if (!isTimeOfDay(digits.substr(8, 6)) || digits.size() < 15) {
    rule.failWith(rule.text(2));
    return;
  }
  if (isAfter(created_on, ctx->processingDate())) rule.failWith(rule.text(3));
}

// Not empty once trimmed; the length is tested whatever that found; then
// the characters and the at-sign of the trimmed address. F_Trim is applied
// afresh in each step where a section observer sees it; otherwise the
// address is trimmed once and read in one pass.
void TB_DSKO_04::F_PruefeEMAILAP(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* mail = rule.value();
  if (ctx->hasSectionObserver()) {
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
    return;
  }
  std::string_view address;
  if (isPresent(mail)) {
    const text_facts::BlankEnds ends = text_facts::blankEnds(mail);
    if (ends.end > ends.first) address = textOf(mail).substr(ends.first, ends.end - ends.first);
  }
  if (isMissing(mail) || address.empty()) rule.failWith(rule.text(0));
  if (isLongerThan(mail, 70)) rule.failWith(kFieldTooLong);
  if (!rule.ok()) return;
  const EmailAnswers answers = emailAnswers(address);
  if (!answers.characters_allowed) {
    rule.failWith(rule.text(1));
  } else if (!answers.one_inner_at_sign) {
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
