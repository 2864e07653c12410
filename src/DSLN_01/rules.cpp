// The rule bodies of DSLN_01 that are its own: the procedure code, the
// contribution reason A09, the count of tariff positions, and the tariff
// positions themselves.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Eight bytes as one word, in memory order: two carrier numbers are equal
// when their words are.
constexpr std::uint64_t wordOf(std::string_view eight) {
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t shift = std::endian::native == std::endian::little ? 8 * i : 8 * (7 - i);
    word |= std::uint64_t{static_cast<unsigned char>(eight[i])} << shift;
  }
  return word;
}
std::uint64_t loadWord(std::string_view eight) {
  std::uint64_t word;
  std::memcpy(&word, eight.data(), sizeof word);
  return word;
}
constexpr std::uint64_t kTariffCarrierBeyondAnnex7Word = wordOf(kTariffCarrierBeyondAnnex7);
constexpr std::uint64_t kFreeCarrierWords[] = {wordOf(kFreeCarriers[0]), wordOf(kFreeCarriers[1])};
static_assert(std::size(kFreeCarrierWords) == std::size(kFreeCarriers));

// The bytes F_Trim leaves of a text.
std::string_view trimmed(std::string_view text) {
  const std::size_t first = firstNonBlank(text);
  if (first == text.size()) return {};
  return text.substr(first, endOfNonBlank(text) - first);
}

// F_IstLeerzeichen of a present value; a text of 8 to 16 bytes, as the
// position's fields are, is read as two words.
bool isBlankValue(const pl::Value* v) {
  if (const pl::StringValue* text = pl::as<pl::StringValue>(v)) {
    const std::string_view bytes = text->view();
    if (bytes.size() >= 8 && bytes.size() <= 16) {
      constexpr std::uint64_t kBlanks = wordOf("        ");
      return loadWord(bytes) == kBlanks && loadWord(bytes.substr(bytes.size() - 8)) == kBlanks;
    }
  }
  return text_facts::isBlank(v);
}

// contains(1..99 in steps of 1, v) of a text: one or two digits after any
// leading zeros, not all zeros.
bool isPositionCount(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == '0') ++i;
  const std::size_t digits = text.size() - i;
  if (text.empty() || digits > 2) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return digits > 0;
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
// cancellation. Unobserved, a text is read as it is, without the range.
void TB_DSLN_01::positionCountRefused(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (!equalsText(KENNZST->get(ctx), "N")) return;
  const pl::StringValue* count = pl::as<pl::StringValue>(rule.value());
  if (count != nullptr && !ctx->hasSectionObserver()) {
    if (!isPositionCount(count->view())) rule.fail();
    return;
  }
  pl::Value* positions = ctx->createSequenceRange(
      ctx->createNumberValue(1), ctx->createNumberValue(2), ctx->createNumberValue(99));
  if (!Functions::contains(ctx, positions, rule.value())->isTrue()) rule.fail();
}

void TB_DSLN_01::runBlocks(pl::RuntimeContext* ctx) {
  runContactPerson(ctx);
  pl::Value* bbnruv = BBNRUV->get(ctx);
  pl::Value* kennzst = KENNZST->get(ctx);
  pl::Value* uvgrund = UVGRUND->get(ctx);
  // The carrier every position compares its own with, trimmed once.
  TB_UV::CarrierWord carrier;
  if (pl::is<pl::StringValue>(bbnruv)) {
    const std::string_view u = trimmed(textOf(bbnruv));
    if (u.size() == 8) carrier = {true, loadWord(u)};
  }
  vexal::machinery::runEveryElement(ctx, UV, [&](TB_UV* element) {
    element->setParameters(ctx, bbnruv, kennzst, uvgrund, carrier);
  });
}

void TB_UV::setParameters(pl::RuntimeContext* ctx, pl::Value* bbnruv, pl::Value* kennzst,
                          pl::Value* uvgrund, CarrierWord carrier) {
  given_ = {ctx, ctx->epoch(), bbnruv, kennzst, uvgrund, carrier};
  variables_hold_given_ = false;
  // Unobserved, the rules read given_: the variables are set only when
  // something asks them (parameter()).
  if (ctx->hasSectionObserver()) setVariables(ctx);
}

void TB_UV::setVariables(pl::RuntimeContext* ctx) {
  // The values are the root topic's copies in ctx: they serve as the
  // element's copies too.
  BBNRUV->set(ctx, given_.bbnruv);
  KENNZST->set(ctx, given_.kennzst);
  UVGRUND->set(ctx, given_.uvgrund);
  variables_hold_given_ = true;
}

pl::Value* TB_UV::parameter(pl::RuntimeContext* ctx, pl::LocalVariable* variable) {
  if (!variables_hold_given_ && given(ctx) != nullptr) setVariables(ctx);
  return variable->get(ctx);
}

// Tests 2 to 6 of BBNRGT: present and left-aligned, of annex 7 (without
// the year rules, or 47009510), and the record's carrier, for a report
// that is no cancellation. The texts: refused, not the record's carrier.
void TB_UV::F_PruefeBBNRGT(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* bbnrgt = rule.value();
  if (const Given* values = given(ctx); values != nullptr && !ctx->hasSectionObserver() &&
                                        isTextOrMissing(bbnrgt) &&
                                        isTextOrMissing(values->bbnruv)) {
    tariffCarrierOfTexts(rule, bbnrgt, *values);
    return;
  }
  const char* refused = rule.text(0);
  bool not_cancelled = equalsText(parameter(ctx, KENNZST), "N");
  if (isMissing(bbnrgt) && not_cancelled) rule.failWith(refused);
  if (rule.ok() && not_cancelled && !isLeftAligned(ctx, bbnrgt)) {
    rule.failWith(refused);
  }
  pl::Value* carrier = parameter(ctx, BBNRUV);
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

// F_PruefeBBNRGT without a section observer, for texts (or missing values)
// as the record gives them: the trimmed numbers are compared as bytes in
// place of the values F_Trim would make, since the functions would open no
// section and eq of two texts compares their bytes.
void TB_UV::tariffCarrierOfTexts(RuleCall& rule, pl::Value* bbnrgt, const Given& values) {
  // Every test asks for a report that is no cancellation.
  if (!equalsText(values.kennzst, "N")) return;
  // Missing, indented or blank (trimmed to nothing: no carrier), it fails
  // the same; a number that passes has eight characters.
  const std::string_view text = textOf(bbnrgt);
  if (isMissing(bbnrgt) || text.empty() || text[0] == ' ' || endOfNonBlank(text) != 8) {
    rule.fail();
    return;
  }
  const std::string_view g = text.substr(0, 8);
  const std::uint64_t g_word = loadWord(g);
  if (g_word != kTariffCarrierBeyondAnnex7Word && !isAnnex7Number(g_word, g)) {
    rule.fail();
    return;
  }
  if (isMissing(values.bbnruv)) return;
  const CarrierWord& u = values.carrier;
  if (u.eight &&
      (u.word == g_word || u.word == kFreeCarrierWords[0] || u.word == kFreeCarrierWords[1])) {
    return;
  }
  rule.failWith(rule.text(1));
}

bool TB_UV::isAnnex7Number(std::uint64_t word, std::string_view number) {
  if (!annex7_asked_ || word != annex7_word_) {
    annex7_word_ = word;
    annex7_listed_ = isAnnex7Carrier(number);
    annex7_asked_ = true;
  }
  return annex7_listed_;
}

void TB_UV::tariffPositionMissing(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (!ctx->hasSectionObserver()) {
    // WERTLAENGE(F_Trim(v)) of a present value is 0 exactly when it is
    // blank; F_Trim leaves no trace.
    if (!equalsText(givenKennzst(ctx), "N")) return;
    pl::Value* bbnrgt = BBNRGT->get(ctx);
    pl::Value* gtst = rule.value();
    if (isPresent(bbnrgt) && !isBlankValue(bbnrgt) && isPresent(gtst) && isBlankValue(gtst)) {
      rule.fail();
    }
    return;
  }
  if (equalsText(parameter(ctx, KENNZST), "N") && trimmedLength(ctx, BBNRGT->get(ctx)) > 0u &&
      trimmedLength(ctx, rule.value()) == 0u) {
    rule.fail();
  }
}

void TB_UV::earningsForReasonA09(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  // The reason first: it is rarely "A09", and the earnings are a long
  // number to read.
  if (const Given* values = given(ctx); values != nullptr && !ctx->hasSectionObserver()) {
    if (equalsText(values->kennzst, "N") && equalsText(values->uvgrund, "A09") &&
        isGreaterThan(rule.value(), 0)) {
      rule.fail();
    }
    return;
  }
  if (equalsText(parameter(ctx, KENNZST), "N") && equalsText(parameter(ctx, UVGRUND), "A09") &&
      isGreaterThan(rule.value(), 0)) {
    rule.fail();
  }
}

}  // namespace DSLN_01
