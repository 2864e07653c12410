// The rule bodies of DSLN_01 that are its own: the procedure code, the
// contribution reason A09, the count of tariff positions, and the tariff
// positions themselves.

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "DSLN_01/DSLN_01.h"
#include "machinery/blocks.h"
#include "pl/functions.h"
#include "shared/carrier_numbers.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSLN_01 {
namespace {

using pl::Functions;
using namespace vexal::shared;

// The carrier that may stand in a tariff position though annex 7 lacks it,
// and the carriers whose reports may list tariff positions of others.
constexpr char kTariffCarrierBeyondAnnex7[] = "47009510";
constexpr std::string_view kFreeCarriers[] = {"14066582", "63800761"};

bool isTextOrMissing(const pl::Value* v) { return pl::is<pl::StringValue>(v) || isMissing(v); }

// The bytes F_Trim leaves of a text; nullopt for a missing value.
std::optional<std::string_view> trimmedText(const pl::Value* v) {
  if (isMissing(v)) return std::nullopt;
  const text_facts::BlankEnds ends = text_facts::blankEnds(v);
  if (ends.end <= ends.first) return std::string_view();
  return textOf(v).substr(ends.first, ends.end - ends.first);
}

}  // namespace

void TB_DSLN_01::bindFields() {
  HeaderTopic::bindFields();
  UVGRUND = field("UVGRUND");
  VF = field("VF");
}

bool TB_DSLN_01::procedureRefused(pl::RuntimeContext* ctx) {
  pl::Value* vf = VF->get(ctx);
  return isMissing(vf) || !equalsText(vf, "UVELN");
}

void TB_DSLN_01::carrierRefusedForReasonA09(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (equalsText(KENNZST->get(ctx), "N") && equalsText(UVGRUND->get(ctx), "A09") &&
      !isTrue(F_IstBbnrAnlage19b(ctx, rule.value()))) {
    rule.fail();
  }
}

// Only blanks or "A09" pass.
void TB_DSLN_01::F_PruefeUVGRUND(RuleCall& rule) {
  pl::Value* reason = rule.value();
  if (!equalsText(reason, "A09") && isPresent(reason) && trimmedLength(rule.ctx(), reason) > 0u) {
    rule.fail();
  }
}

// One to 99 positions (a sequence range), unless the report is a
// cancellation.
void TB_DSLN_01::positionCountRefused(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (!equalsText(KENNZST->get(ctx), "N")) return;
  pl::Value* positions = ctx->createSequenceRange(
      ctx->createNumberValue(1), ctx->createNumberValue(2), ctx->createNumberValue(99));
  if (!Functions::contains(ctx, positions, rule.value())->isTrue()) rule.fail();
}

void TB_DSLN_01::runBlocks(pl::RuntimeContext* ctx) {
  runContactPerson(ctx);
  pl::Value* bbnruv = BBNRUV->get(ctx);
  pl::Value* kennzst = KENNZST->get(ctx);
  pl::Value* uvgrund = UVGRUND->get(ctx);
  vexal::machinery::runEveryElement(
      ctx, UV, [&](TB_UV* element) { element->setParameters(ctx, bbnruv, kennzst, uvgrund); });
}

void TB_UV::setParameters(pl::RuntimeContext* ctx, pl::Value* bbnruv, pl::Value* kennzst,
                          pl::Value* uvgrund) {
  // The values are the root topic's copies in ctx: they serve as the
  // element's copies too.
  BBNRUV->set(ctx, bbnruv);
  KENNZST->set(ctx, kennzst);
  UVGRUND->set(ctx, uvgrund);
}

// Tests 2 to 6 of BBNRGT: present and left-aligned, of annex 7 (without
// the year rules, or 47009510), and the record's carrier, for a report
// that is no cancellation. The texts: refused, not the record's carrier.
//
// Without a section observer, and with texts (or missing values) as the
// record gives them, the trimmed numbers are compared as bytes in place of
// the values F_Trim would make: the functions would open no section, and
// eq of two texts compares their bytes.
void TB_UV::F_PruefeBBNRGT(RuleCall& rule) {
  const char* refused = rule.text(0);
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* bbnrgt = rule.value();
  bool not_cancelled = equalsText(KENNZST->get(ctx), "N");
  if (isMissing(bbnrgt) && not_cancelled) rule.failWith(refused);
  if (rule.ok() && not_cancelled && !isLeftAligned(ctx, bbnrgt)) {
    rule.failWith(refused);
  }
  pl::Value* carrier = BBNRUV->get(ctx);
  if (!ctx->hasSectionObserver() && isTextOrMissing(bbnrgt) && isTextOrMissing(carrier)) {
    const std::optional<std::string_view> g = trimmedText(bbnrgt);
    const std::optional<std::string_view> u = trimmedText(carrier);
    if (rule.ok() && not_cancelled && g != kTariffCarrierBeyondAnnex7 &&
        !(g && isAnnex7Carrier(*g))) {
      rule.failWith(refused);
    }
    if (rule.ok() && not_cancelled && u &&
        std::find(std::begin(kFreeCarriers), std::end(kFreeCarriers), *u) ==
            std::end(kFreeCarriers) &&
        g != u) {
      rule.failWith(rule.text(1));
    }
    return;
  }
  pl::Value* g = F_Trim(ctx, bbnrgt);
  pl::Value* u = isPresent(carrier) ? F_Trim(ctx, carrier) : ctx->createInvalidValue();
  if (rule.ok() && not_cancelled && !equalsText(g, kTariffCarrierBeyondAnnex7) &&
      !isTrue(F_IstBbnrAnlage7(ctx, g, nullptr))) {
    rule.failWith(refused);
  }
  if (rule.ok() && not_cancelled && isPresent(u) && !isOneOf(u, kFreeCarriers) &&
      !Functions::equals(g, u)) {
    rule.failWith(rule.text(1));
  }
}

void TB_UV::tariffPositionMissing(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (equalsText(KENNZST->get(ctx), "N") && trimmedLength(ctx, BBNRGT->get(ctx)) > 0u &&
      trimmedLength(ctx, rule.value()) == 0u) {
    rule.fail();
  }
}

void TB_UV::earningsForReasonA09(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (equalsText(KENNZST->get(ctx), "N") && isGreaterThan(rule.value(), 0) &&
      equalsText(UVGRUND->get(ctx), "A09")) {
    rule.fail();
  }
}

}  // namespace DSLN_01
