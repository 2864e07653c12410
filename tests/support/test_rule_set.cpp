#include "support/test_rule_set.h"

#include <stdexcept>

#include "machinery/blocks.h"
#include "machinery/by_name.h"
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

constexpr FieldSpec kPosFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory, &TB_POS::KE},
    {"BETRAG", "BETRAG", kNum, 5, kMandatory, &TB_POS::BETRAG},
    {"TEXT", "TEXT", kText, 2, kOptional, &TB_POS::TEXT},
};
constexpr VariableMember kPosParameters[] = {variable<&TB_POS::num>};
constexpr ProcedureSpec kPosProcedures[] = {procedure<&TB_POS::F_PruefeBETRAG>("P_BETRAG")};
constexpr TopicSpec kPos{
    .name = "POS",
    .fields = kPosFields,
    .groups = {},
    .parameters = kPosParameters,
    .procedures = kPosProcedures,
    .run_blocks = nullptr,
    .make = &makeTopic<TB_POS>,
};

constexpr FieldSpec kZusFields[] = {
    {"KE", "KENNUNG-ZUSATZ", kText, 4, kOptional, &TB_ZUS::KE},
    {"INFO", "INFO", kText, 3, kMandatory, &TB_ZUS::INFO},
};
constexpr ProcedureSpec kZusProcedures[] = {procedure<&TB_ZUS::F_PruefeINFO>("P_INFO")};
constexpr TopicSpec kZus{
    .name = "ZUS",
    .fields = kZusFields,
    .groups = {},
    .parameters = {},
    .procedures = kZusProcedures,
    .run_blocks = nullptr,
    .make = &makeTopic<TB_ZUS>,
};

constexpr FieldSpec kRootFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory, &TB_TST_01::KE},
    {"NUM", "NUMMER", kNum, 2, kMandatory, &TB_TST_01::NUM},
    {"OPT", "OPTIONAL", kText, 3, kOptional, &TB_TST_01::OPT},
    {"FLAG", "KENNZEICHEN", kText, 1, kMandatory, &TB_TST_01::FLAG},
    {"ANZ", "ANZAHL", kNum, 1, kMandatory, &TB_TST_01::ANZ},
};
constexpr GroupSpec kRootGroups[] = {
    {"POS", "ANZ", nullptr, nullptr, &kPos, &bindArray<&TB_TST_01::POS>},
    {"ZUS", nullptr, "FLAG", "J", &kZus, &bindArray<&TB_TST_01::ZUS>},
};
constexpr VariableMember kRootParameters[] = {variable<&TB_TST_01::schalttag>};
constexpr ProcedureSpec kRootProcedures[] = {
    procedure<&TB_TST_01::F_PruefeNUM>("P_NUM"),
    procedure<&TB_TST_01::F_PruefeOPT>("P_OPT"),
    procedure<&TB_TST_01::flagFailed>("P_FLAG", "TST020 FLAG ungleich J oder N"),
};
constexpr TopicSpec kRoot{
    .name = "TST_01",
    .fields = kRootFields,
    .groups = kRootGroups,
    .parameters = kRootParameters,
    .procedures = kRootProcedures,
    .run_blocks = blockRunner<&TB_TST_01::runBlocks>,
    .make = &makeTopic<TB_TST_01>,
};

constexpr FunctionSpec kFunctions[] = {
    byName<&F_Echo>("F_Echo", "wert"),
    byName<&TB_TST_01::F_Join>("F_Join", "links", "rechts"),
    byName<&TB_TST_01::F_PruefeNUM>("F_PruefeNUM"),
};

constexpr RecordSpec kRecord{
    .record_type = "TST_01",
    .build_stamp = "20240101_000000",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = "ipMjahrSchalttag",
};

constexpr FieldCheckTable kChecks = makeFieldCheckTable<kRecord>();

}  // namespace

pl::Value* TB_TST_01::F_PruefeNUM(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNUM");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* num = NUM->get(ctx);
    if (Functions::eq(ctx, num, ctx->createInvalidValue())->isTrue()) {
      result.fail("TST010 NUM fehlt");
    }
    if (result.ok() && !Functions::NUMERISCH(ctx, NUM->get(ctx))->isTrue()) {
      result.fail("TST011 NUM nicht numerisch");
    }
    if (result.ok() && isText(ctx, NUM->get(ctx), "99")) result.fail("TST012 NUM zu gro\xDF");
  });
}

pl::Value* TB_TST_01::F_PruefeOPT(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeOPT");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult&) {
    pl::Value* opt = OPT->get(ctx);
    if (isText(ctx, opt, "EXC"))
      throw pl::PlausiException(pl::ExceptionType::kUnspecified, "Absicht");
    if (isText(ctx, opt, "STD")) throw std::runtime_error("std");
    if (isText(ctx, opt, "PTR")) {
      throw new pl::PlausiException(pl::ExceptionType::kInvalidElementAccess, "Zeiger");
    }
  });
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

pl::Value* TB_POS::F_PruefeBETRAG(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeBETRAG");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    if (!Functions::NUMERISCH(ctx, BETRAG->get(ctx))->isTrue()) {
      result.fail("TST030 BETRAG nicht numerisch");
    }
    // A text compared with a number compares numerically.
    if (result.ok() && Functions::NUMERISCH(ctx, num->get(ctx))->isTrue() &&
        Functions::gt(ctx, BETRAG->get(ctx), Functions::ALS_GANZZAHL(ctx, num->get(ctx)))
            ->isTrue()) {
      result.fail(
          "TST031 BETRAG gr\xF6\xDF"
          "er als NUM");
    }
  });
}

pl::Value* TB_ZUS::F_PruefeINFO(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeINFO");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    if (isText(ctx, INFO->get(ctx), "BAD")) result.fail("TST040 INFO falsch");
  });
}

Plausi_TST_01::Plausi_TST_01() : RuleSet(kRecord, kChecks) {}

RecordDefinition_TST_01::RecordDefinition_TST_01() {
  vexal::machinery::buildRecordLayout(*this, kRecord);
}

}  // namespace tst
