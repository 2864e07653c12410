#include "shared/header_rules.h"

#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/enterprise_numbers.h"
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
  } else if (isNumeric(F_Trim(ctx, absn))) {
    if (isZeroResult(F_PruefeBetriebsnummer(ctx, absn))) rule.fail();
  } else if (isZeroResult(F_PruefeGesonderteBetriebsnummer(ctx, absn))) {
    rule.failWith(rule.text(1));
  }
}

void recipient(RuleCall& rule) {
  // The receiving organisation.
  static constexpr char kRecipient[] = "30517264";
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* epnr = rule.value();
  if (isMissing(epnr)) rule.fail();
  if (rule.ok() && !isTrue(F_IstLinksbündig(ctx, epnr))) rule.fail();
  if (rule.ok() && !equalsText(F_Trim(ctx, epnr), kRecipient)) rule.fail();
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

void timestampNotNumeric(RuleCall& rule) {
  if (!isNumeric(part(rule.ctx(), rule.value(), 1, 14))) rule.fail();
}

void noValidDate(RuleCall& rule) {
  if (!conforms(part(rule.ctx(), rule.value(), 1, 8), pl::FieldType::kDateTime, "JJJJMMTT")) {
    rule.fail();
  }
}

void noValidTime(RuleCall& rule) {
  if (!conforms(part(rule.ctx(), rule.value(), 9, 6), pl::FieldType::kDateTime, "SSmmss")) {
    rule.fail();
  }
}

void dateAfterProcessingDate(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* day = part(ctx, rule.value(), 1, 8);
  pl::Value* created = ctx->createDateValue(textOf(day), "JJJJMMTT");
  if (Functions::order(created, Functions::HEUTE(ctx)) == Order::kGreater) rule.fail();
}

void fractionNotNumeric(RuleCall& rule) {
  pl::Value* ed = rule.value();
  if (hasLength(ed, 20) && !isNumeric(part(rule.ctx(), ed, 15, 6))) rule.fail();
}

void refusedIdCharacter(RuleCall& rule) {
  if (!isTrue(header(rule).F_IstDsIdVoIdKonform(rule.ctx(), rule.value()))) rule.fail();
}

void notAnnex7Carrier(RuleCall& rule) {
  if (!isTrue(header(rule).F_IstBbnrAnlage7(rule.ctx(), rule.value()))) rule.fail();
}

namespace {

// The carrier's length and character rules for MNR, for a query or report
// that is no cancellation; failing with the texts `length` and
// `characters`.
void carrierRules(RuleCall& rule, const char* length, const char* characters) {
  pl::RuntimeContext* ctx = rule.ctx();
  HeaderTopic& topic = header(rule);
  if (!equalsText(topic.KENNZST->get(ctx), "N")) return;
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
  bool empty = isMissing(mnr) || isTrue(F_IstLeerzeichen(ctx, mnr));
  pl::Value* unrs = header(rule).UNRS->get(ctx);
  if (empty && (isMissing(unrs) || isTrue(F_IstNullen(ctx, unrs)))) rule.failWith(rule.text(0));
  if (rule.ok() && isLongerThan(mnr, rule.fieldLength())) {
    rule.failWith(machinery::texts::kFieldTooLong);
  }
  if (rule.ok() && !empty) carrierRules(rule, rule.text(1), rule.text(2));
}

void enterpriseNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* unrs = rule.value();
  bool zeros = isTrue(F_IstNullen(ctx, unrs));
  pl::Value* mjahr = header(rule).MJAHR->get(ctx);
  if (zeros && hasLength(mjahr, 4) && isNumeric(mjahr) && isGreaterThan(mjahr, 2023)) rule.fail();
  if (rule.ok() && !zeros &&
      !Functions::equals(F_GibUnrsPruefziffer(ctx, part(ctx, unrs, 1, 11)),
                         part(ctx, unrs, 12, 1))) {
    rule.failWith(rule.text(1));
  }
}

namespace {

bool isReleased(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  return isTrue(
      F_IstMjahrFreigeschaltet(ctx, rule.value(), header(rule).ipMjahrSchalttag->get(ctx)));
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
  if (isMissing(bbnr) || isZeroResult(F_PruefeBetriebsnummer(rule.ctx(), bbnr))) rule.fail();
}

void carrierAsCompanyNumber(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  HeaderTopic& topic = header(rule);
  pl::Value* mjahr = topic.MJAHR->get(ctx);
  if (equalsText(topic.KENNZST->get(ctx), "N") && isNumeric(mjahr) && isAtLeast(mjahr, 2018) &&
      isTrue(F_IstBbnrAnlage20(ctx, rule.value()))) {
    rule.fail();
  }
}

}  // namespace vexal::shared::header_rules_internal
