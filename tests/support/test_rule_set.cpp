#include "support/test_rule_set.h"

#include <array>
#include <stdexcept>

#include "machinery/blocks.h"
#include "machinery/by_name.h"
#include "machinery/check_rows.h"
#include "machinery/field_check.h"
#include "machinery/record_layout.h"
#include "machinery/rule_function.h"
#include "pl/functions.h"
#include "pl/plausi_exception.h"

namespace tst {
namespace {

using namespace vexal::machinery;
using pl::Functions;

bool isText(pl::RuntimeContext* ctx, pl::Value* v, const char* text) {
  return Functions::eq(ctx, v, ctx->createStringValue(text))->isTrue();
}

pl::Value* F_Echo(pl::RuntimeContext* ctx, pl::Value* wert) { return wert; }

constexpr FieldRow kPosFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory},
    {"BETRAG", "BETRAG", kNum, 5, kMandatory},
    {"TEXT", "TEXT", kText, 2, kOptional},
};
constexpr VariableMember kPosParameters[] = {variable<&TB_POS::num>};
constexpr CheckRow kPosRows[] = {
    check("P_BETRAG", "F_PruefeBETRAG",
          body<&TB_POS::F_PruefeBETRAG>("TST030 BETRAG nicht numerisch",
                                        "TST031 BETRAG gr\xF6\xDF"
                                        "er als NUM"))};
constexpr auto kPosChecks = compileChecks<kPosRows>(kPosFields);
constexpr TopicTable kPos{
    .name = "POS",
    .fields = kPosFields,
    .groups = {},
    .parameters = kPosParameters,
    .checks = kPosChecks,
    .run_blocks = nullptr,
    .make = &makeTopic<TB_POS>,
};

constexpr FieldRow kZusFields[] = {
    {"KE", "KENNUNG-ZUSATZ", kText, 4, kOptional},
    {"INFO", "INFO", kText, 3, kMandatory},
};
constexpr CheckRow kZusRows[] = {
    check("P_INFO", "F_PruefeINFO", body<&TB_ZUS::F_PruefeINFO>("TST040 INFO falsch"))};
constexpr auto kZusChecks = compileChecks<kZusRows>(kZusFields);
constexpr TopicTable kZus{
    .name = "ZUS",
    .fields = kZusFields,
    .groups = {},
    .parameters = {},
    .checks = kZusChecks,
    .run_blocks = blockRunner<&TB_ZUS::runBlocks>,
    .make = &makeTopic<TB_ZUS>,
};

constexpr FieldRow kRootFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory},  {"NUM", "NUMMER", kNum, 2, kMandatory},
    {"OPT", "OPTIONAL", kText, 3, kOptional}, {"FLAG", "KENNZEICHEN", kText, 1, kMandatory},
    {"ANZ", "ANZAHL", kNum, 1, kMandatory},
};
constexpr GroupRow kRootGroups[] = {
    {"POS", "ANZ", nullptr, nullptr, &kPos, &bindArray<&TB_TST_01::POS>},
    {"ZUS", nullptr, "FLAG", "J", &kZus, &bindArray<&TB_TST_01::ZUS>},
};
constexpr VariableMember kRootParameters[] = {variable<&TB_TST_01::schalttag>};
constexpr CheckRow kRootRows[] = {
    check("P_NUM", "F_PruefeNUM", kClearsText,
          body<&TB_TST_01::F_PruefeNUM>("TST010 NUM fehlt", "TST011 NUM nicht numerisch",
                                        "TST012 NUM zu gro\xDF")),
    check("P_OPT", "F_PruefeOPT", body<&TB_TST_01::F_PruefeOPT>()),
    fixedMessage<&TB_TST_01::flagFailed>("P_FLAG", "TST020 FLAG ungleich J oder N"),
};
constexpr auto kRootChecks = compileChecks<kRootRows>(kRootFields);
constexpr std::array kOtherFunctions = {
    byName<&F_Echo>("F_Echo", "wert"),
    byName<&TB_TST_01::F_Join>("F_Join", "links", "rechts"),
};
constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();

constexpr RecordCatalogue kRecord =
    recordCatalogue("TST_01", "20240101_000000",
                    rootTopic<TB_TST_01>(kRootFields, kRootChecks, kRootGroups, kRootParameters,
                                         blockRunner<&TB_TST_01::runBlocks>),
                    kFunctions, "ipMjahrSchalttag");

}  // namespace

void TB_TST_01::F_PruefeNUM(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (Functions::eq(ctx, NUM->get(ctx), ctx->createInvalidValue())->isTrue()) {
    rule.failWith(rule.text(0));
  }
  if (rule.ok() && !Functions::NUMERISCH(ctx, NUM->get(ctx))->isTrue()) {
    rule.failWith(rule.text(1));
  }
  if (rule.ok() && isText(ctx, NUM->get(ctx), "99")) rule.failWith(rule.text(2));
}

void TB_TST_01::F_PruefeOPT(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  pl::Value* opt = OPT->get(ctx);
  if (isText(ctx, opt, "EXC"))
    throw pl::PlausiException(pl::ExceptionType::kUnspecified, "Absicht");
  if (isText(ctx, opt, "STD")) throw std::runtime_error("std");
  if (isText(ctx, opt, "PTR")) {
    throw new pl::PlausiException(pl::ExceptionType::kInvalidElementAccess, "Zeiger");
  }
}

bool TB_TST_01::flagFailed(pl::RuntimeContext* ctx) {
  pl::Value* flag = FLAG->get(ctx);
  return !isText(ctx, flag, "J") && !isText(ctx, flag, "N");
}

pl::Value* TB_TST_01::F_Join(pl::RuntimeContext* ctx, pl::Value* links, pl::Value* rechts) {
  static constexpr FunctionName kName("F_Join");
  return ruleFunction(ctx, kName, [&] { return Functions::KONKATENIEREN(ctx, links, rechts); });
}

void TB_TST_01::runBlocks(pl::RuntimeContext* ctx) {
  if (isText(ctx, OPT->get(ctx), "BLK")) {
    long bad = -5;
    POS->getElement(ctx, 1, &bad);
  }
  if (isText(ctx, FLAG->get(ctx), "J")) runSingleElement(ctx, ZUS);
  pl::Value* num = NUM->get(ctx);
  runEveryElement(ctx, POS, [&](TB_POS* element) { element->setParameters(ctx, num); });
}

void TB_POS::setParameters(pl::RuntimeContext* ctx, pl::Value* value) { num->set(value); }

void TB_POS::F_PruefeBETRAG(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (!Functions::NUMERISCH(ctx, BETRAG->get(ctx))->isTrue()) {
    rule.failWith(rule.text(0));
  }
  // A text compared with a number compares numerically.
  if (rule.ok() && Functions::NUMERISCH(ctx, num->get(ctx))->isTrue() &&
      Functions::gt(ctx, BETRAG->get(ctx), Functions::ALS_GANZZAHL(ctx, num->get(ctx)))->isTrue()) {
    rule.failWith(rule.text(1));
  }
}

void TB_ZUS::F_PruefeINFO(RuleCall& rule) {
  pl::RuntimeContext* ctx = rule.ctx();
  if (isText(ctx, INFO->get(ctx), "BAD")) rule.failWith(rule.text(0));
}

void TB_ZUS::runBlocks(pl::RuntimeContext* ctx) {
  if (isText(ctx, INFO->get(ctx), "THR")) {
    throw pl::PlausiException(pl::ExceptionType::kUnspecified, "Zusatz");
  }
}

Plausi_TST_01::Plausi_TST_01() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

RecordDefinition_TST_01::RecordDefinition_TST_01() {
  vexal::machinery::buildRecordLayout(*this, kRecord);
}

}  // namespace tst
