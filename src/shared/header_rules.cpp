#include "shared/header_rules.h"

#include <optional>
#include <string_view>

#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/digit_words.h"
#include "shared/enterprise_numbers.h"
#include "shared/id_characters.h"
#include "shared/rule_terms.h"

namespace vexal::shared::header_rules_internal {
namespace {

using pl::Functions;

HeaderTopic& header(RuleCall& rule) { return rule.topicAs<HeaderTopic>(); }

bool isZeroResult(const pl::Value* result) { return equalsNumber(result, 0); }

}  // namespace

void senderNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* absn = rule.value();
  if (isMissing(absn)) {
    rule.fail();
  } else if (isTrimmedNumeric(ctx, absn)) {
    if (!isCompanyNumber(ctx, absn)) rule.fail();
  } else if (isZeroResult(F_PruefeGesonderteBetriebsnummer(ctx, absn))) {
    rule.failWith(rule.text(1));
  }
}

void recipient(RuleCall& rule) {
  // The receiving organisation.
  static constexpr char kRecipient[] = "30517264";
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* epnr = rule.value();
  if (const auto* text = pl::as<pl::StringValue>(epnr); text && !ctx->hasSectionObserver()) {
    // Left-aligned and trimmed to the organisation: its number, then blanks.
    const std::string_view bytes = text->view();
    if (bytes.size() < 8 || bytes.substr(0, 8) != kRecipient ||
        firstNonBlank(bytes.substr(8)) != bytes.size() - 8) {
      rule.fail();
    }
    return;
  }
  if (isMissing(epnr)) rule.fail();
  if (rule.ok() && !isLeftAligned(ctx, epnr)) rule.fail();
  if (rule.ok() && !trimmedEquals(ctx, epnr, kRecipient)) rule.fail();
}

void version01From2024(RuleCall& rule) {
  pl::Value* mjahr = header(rule).MJAHR->get(rule.ctx());
  if (equalsText(rule.value(), "01") && hasLength(mjahr, 4) && isNumeric(mjahr) &&
      isGreaterThan(mjahr, 2023)) {
    rule.fail();
  }
}

void errorCountWithoutErrorFlag(RuleCall& rule) {
  pl::Value* fekz = header(rule).FEKZ->get(rule.ctx());
  if (isPresent(fekz) && isNumeric(fekz) && equalsNumber(fekz, 0) &&
      !equalsNumber(rule.value(), 0)) {
    rule.fail();
  }
}

void errorCountMissingForErrorFlag(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* fekz = header(rule).FEKZ->get(ctx);
  if (!isPresent(fekz) || !isNumeric(fekz) || !isGreaterThan(fekz, 0)) return;
  pl::Value* counts = ctx->createIntervalRange(ctx->createNumberValue(1), ctx->createNumberValue(9),
                                               pl::IntervalType::kClosed);
  if (!Functions::contains(ctx, counts, rule.value())->isTrue()) rule.fail();
}

// The time stamp's parts are read from its bytes when it is a text; they
// answer as the values TEIL would make of them.
namespace {

// TEIL(s, start, length) for a start of 1 or more, as bytes of s.
std::string_view partOf(const pl::StringValue& s, std::size_t start, std::size_t length) {
  const std::string_view bytes = s.view();
  return start > bytes.size() ? std::string_view() : bytes.substr(start - 1, length);
}

// A text "JJJJMMTT" of a valid date, read as createDateValue reads it.
bool readDate(std::string_view text, Day* day) {
  return text.size() == 8 && Functions::isDigits(text) && readDay(text, day);
}

// isTypeConform(text, date and time, "SSmmss").
bool isTime(std::string_view text) {
  return text.size() == 6 && Functions::isDigits(text) && isTimeOfDay(text);
}

}  // namespace

void timestampNotNumeric(RuleCall& rule) {
  if (const auto* ed = pl::as<pl::StringValue>(rule.value())) {
    if (!Functions::isDigits(partOf(*ed, 1, 14))) rule.fail();
  } else if (!isNumeric(part(rule.ctx(), rule.value(), 1, 14))) {
    rule.fail();
  }
}

void noValidDate(RuleCall& rule) {
  if (const auto* ed = pl::as<pl::StringValue>(rule.value())) {
    Day day;
    if (!readDate(partOf(*ed, 1, 8), &day)) rule.fail();
  } else if (!conforms(part(rule.ctx(), rule.value(), 1, 8), pl::FieldType::kDateTime,
                       "JJJJMMTT")) {
    rule.fail();
  }
}

void noValidTime(RuleCall& rule) {
  if (const auto* ed = pl::as<pl::StringValue>(rule.value())) {
    if (!isTime(partOf(*ed, 9, 6))) rule.fail();
  } else if (!conforms(part(rule.ctx(), rule.value(), 9, 6), pl::FieldType::kDateTime, "SSmmss")) {
    rule.fail();
  }
}

void dateAfterProcessingDate(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  // A valid date is compared without making it; anything else raises the
  // runtime's error as the language's steps do.
  const auto* ed = pl::as<pl::StringValue>(rule.value());
  Day created_on;
  if (ed != nullptr && readDate(partOf(*ed, 1, 8), &created_on)) {
    if (isAfter(created_on, ctx->processingDate())) rule.fail();
    return;
  }
  pl::Value* day = part(ctx, rule.value(), 1, 8);
  pl::Value* created = ctx->createDateValue(textOf(day), "JJJJMMTT");
  if (Functions::order(created, Functions::HEUTE(ctx)) == Order::kGreater) rule.fail();
}

void fractionNotNumeric(RuleCall& rule) {
  pl::Value* ed = rule.value();
  if (!hasLength(ed, 20)) return;
  if (const auto* text = pl::as<pl::StringValue>(ed)) {
    if (!Functions::isDigits(partOf(*text, 15, 6))) rule.fail();
  } else if (!isNumeric(part(rule.ctx(), ed, 15, 6))) {
    rule.fail();
  }
}

void refusedIdCharacter(RuleCall& rule) {
  if (!isIdConform(rule.ctx(), rule.value(), header(rule).hf_fehlertext)) rule.fail();
}

void notAnnex7Carrier(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (!isAnnex7Carrier(ctx, rule.value(), header(rule).MJAHR->get(ctx))) rule.fail();
}

namespace {

// The carrier's length and character rules for MNR, for a query or report
// that is no cancellation; failing with the texts `length` and
// `characters`.
void carrierRules(RuleCall& rule, const char* length, const char* characters) {
  pl::RuntimeContext* ctx = rule.ctx();
  HeaderTopic& topic = header(rule);
  if (!equalsText(topic.KENNZST->get(ctx), "N")) return;
  const auto* mnr = pl::as<pl::StringValue>(rule.value());
  const auto* carrier = pl::as<pl::StringValue>(topic.BBNRUV->get(ctx));
  if (mnr != nullptr && carrier != nullptr && !ctx->hasSectionObserver()) {
    // The two functions of the trimmed texts, on their bytes.
    const MembershipNumberRule* rules = membershipNumberRuleOf(trimmedCarrier(*carrier));
    if (rules == nullptr) return;
    const std::string_view number = text_facts::trimmedText(*mnr);
    if (number.size() < rules->min_length || number.size() > rules->max_length) {
      rule.failWith(length);
    } else if (!allowsCharacters(*rules, number)) {
      rule.failWith(characters);
    }
    return;
  }
  pl::Value* m = F_Trim(ctx, rule.value());
  pl::Value* u = F_Trim(ctx, topic.BBNRUV->get(ctx));
  pl::Value* no = ctx->createBoolValue(false);
  // A carrier without rules answers with the invalid value, which is not
  // false.
  if (Functions::equals(F_GibZulaessigeMNRLaenge(ctx, u, Functions::WERTLAENGE(ctx, m)), no)) {
    rule.failWith(length);
  }
  if (rule.ok() && Functions::equals(F_IstMNRZeichenZulaessig(ctx, u, m), no)) {
    rule.failWith(characters);
  }
}

}  // namespace

void membershipNumber(RuleCall& rule) { carrierRules(rule, rule.text(0), rule.text(1)); }

void membershipOrEnterpriseNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* mnr = rule.value();
  bool empty = isMissing(mnr) || isBlank(ctx, mnr);
  pl::Value* unrs = header(rule).UNRS->get(ctx);
  if (empty && (isMissing(unrs) || isZeros(ctx, unrs))) rule.failWith(rule.text(0));
  if (rule.ok() && isLongerThan(mnr, rule.fieldLength())) {
    rule.failWith(machinery::texts::kFieldTooLong);
  }
  if (rule.ok() && !empty) carrierRules(rule, rule.text(1), rule.text(2));
}

namespace {

// eq(F_GibUnrsPruefziffer(TEIL(unrs, 1, 11)), TEIL(unrs, 12, 1)): unobserved,
// a text whose first eleven bytes are digits is answered on its bytes.
bool hasUnrsCheckDigit(pl::RuntimeContext* ctx, pl::Value* unrs) {
  if (const auto* text = pl::as<pl::StringValue>(unrs); text && !ctx->hasSectionObserver()) {
    const std::string_view bytes = text->view();
    if (const std::optional<int> digit = unrsCheckDigitOf(bytes.substr(0, 11))) {
      // A number equals a text of the digits that read as it.
      return bytes.size() > 11 && bytes[11] == '0' + *digit;
    }
  }
  return Functions::equals(F_GibUnrsPruefziffer(ctx, part(ctx, unrs, 1, 11)),
                           part(ctx, unrs, 12, 1));
}

}  // namespace

void enterpriseNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* unrs = rule.value();
  bool zeros = isZeros(ctx, unrs);
  pl::Value* mjahr = header(rule).MJAHR->get(ctx);
  if (zeros && hasLength(mjahr, 4) && isNumeric(mjahr) && isGreaterThan(mjahr, 2023)) rule.fail();
  if (rule.ok() && !zeros && !hasUnrsCheckDigit(ctx, unrs)) rule.failWith(rule.text(1));
}

namespace {

bool isReleased(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  return isReleasedYear(ctx, rule.value(), header(rule).ipMjahrSchalttag);
}

}  // namespace

void yearNotReleased(RuleCall& rule) {
  if (!isReleased(rule)) rule.fail();
}

void yearNotReleasedNamingSwitchDay(RuleCall& rule) {
  if (isReleased(rule)) return;
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* switch_day = header(rule).ipMjahrSchalttag->get(ctx);
  pl::Value* day_month = Functions::KONKATENIEREN(
      ctx, Functions::KONKATENIEREN(ctx, part(ctx, switch_day, 3, 2), ctx->createStringValue(".")),
      part(ctx, switch_day, 1, 2));
  rule.failWith(Functions::ERSETZEN(ctx, ctx->createStringValue(rule.text(0)),
                                    ctx->createStringValue("TT.MM"), day_month));
}

void companyNumber(RuleCall& rule) {
  pl::Value* bbnr = rule.value();
  if (isMissing(bbnr) || !isCompanyNumber(rule.ctx(), bbnr)) rule.fail();
}

void carrierAsCompanyNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  HeaderTopic& topic = header(rule);
  pl::Value* mjahr = topic.MJAHR->get(ctx);
  if (equalsText(topic.KENNZST->get(ctx), "N") && isNumeric(mjahr) && isAtLeast(mjahr, 2018) &&
      isAnnex20Carrier(ctx, rule.value())) {
    rule.fail();
  }
}

}  // namespace vexal::shared::header_rules_internal
