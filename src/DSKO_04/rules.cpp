// The rule functions behind the check procedures of DSKO_04. Each keeps the
// result number of a checking rule function: the first failed test leaves
// its message in hf_fehlertext.

#include <cstddef>

#include "DSKO_04/DSKO_04.h"
#include "machinery/rule_function.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/rule_shapes.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSKO_04 {
namespace {

using pl::Functions;
using vexal::machinery::checkFunction;
using vexal::machinery::FunctionName;
using vexal::machinery::RuleResult;
using vexal::machinery::texts::kFieldTooLong;
using namespace vexal::shared;

constexpr char kDSKO050[] = "DSKO050 DATUM-ERSTELLUNG nicht numerisch";
constexpr char kDSKO052[] = "DSKO052 DATUM-ERSTELLUNG logisch falsch";
constexpr char kDSKO054[] =
    "DSKO054 DATUM-ERSTELLUNG gr\xF6\xDF"
    "er Verarbeitungsdatum";
constexpr char kDSKO056[] = "DSKO056 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch";
constexpr char kDSKO570[] = "DSKO570 ANREDE-ANSPRECHPARTNER ungleich M oder W";
constexpr char kDSKO004[] = "DSKO004 Verfahren nicht zugelassen";

}  // namespace

pl::Value* TB_DSKO_04::F_PruefeABSN(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeABSN");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [](RuleResult&) {});
}

pl::Value* TB_DSKO_04::F_PruefeEPNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeEPNR");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [](RuleResult&) {});
}

pl::Value* TB_DSKO_04::F_PruefeFAXAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFAXAP");
  return lengthOnly(ctx, kName, hf_fehlertext, FAXAP, 20);
}

pl::Value* TB_DSKO_04::F_PruefeNAME2(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME2");
  return lengthOnly(ctx, kName, hf_fehlertext, NAME2, 30);
}

pl::Value* TB_DSKO_04::F_PruefeNAME3(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME3");
  return lengthOnly(ctx, kName, hf_fehlertext, NAME3, 30);
}

pl::Value* TB_DSKO_04::F_PruefeNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNR");
  return lengthOnly(ctx, kName, hf_fehlertext, NR, 9);
}

pl::Value* TB_DSKO_04::F_PruefeSTR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeSTR");
  return lengthOnly(ctx, kName, hf_fehlertext, STR, 33);
}

pl::Value* TB_DSKO_04::F_PruefeNAME1(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME1");
  return notBlank(ctx, kName, hf_fehlertext, NAME1, "DSKO500 NAME1-ABSENDER ist leer", 30);
}

pl::Value* TB_DSKO_04::F_PruefeNAMEAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAMEAP");
  return notBlank(ctx, kName, hf_fehlertext, NAMEAP, "DSKO580 NAME-ANSPRECHPARTNER ist leer", 30);
}

pl::Value* TB_DSKO_04::F_PruefeORT(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeORT");
  return notBlank(ctx, kName, hf_fehlertext, ORT, "DSKO540 ORT-BETRIEB ist leer", 34);
}

pl::Value* TB_DSKO_04::F_PruefePLZ(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefePLZ");
  return notBlank(ctx, kName, hf_fehlertext, PLZ, "DSKO530 PLZ-BETRIEB ist leer", 10);
}

pl::Value* TB_DSKO_04::F_PruefeTELAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeTELAP");
  return notBlank(ctx, kName, hf_fehlertext, TELAP, "DSKO590 TELEFON-ANSPRECHPARTNER ist leer", 20);
}

pl::Value* TB_DSKO_04::F_PruefePRODID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefePRODID");
  return notMissing(ctx, kName, hf_fehlertext, PRODID,
                    "DSKO082 PRODUKT-IDENTIFIER gleich Grundstellung", 7);
}

pl::Value* TB_DSKO_04::F_PruefeMODID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMODID");
  hf_fehlertext->set(ctx->createInvalidValue());
  return notMissing(ctx, kName, hf_fehlertext, MODID,
                    "DSKO084 MODIFIKATIONS-IDENTIFIER gleich Grundstellung", 8);
}

pl::Value* TB_DSKO_04::F_PruefeABSNER(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeABSNER");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    if (isMissing(ABSNER->get(ctx))) result.fail("DSKO080 BBNR-ERSTELLER gleich Grundstellung");
  });
}

pl::Value* TB_DSKO_04::F_PruefeRESERVE(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeRESERVE");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = RESERVE->get(ctx);
    if (isPresent(v) && !isBlank(ctx, v)) {
      result.fail("DSKO900 RESERVE ungleich Grundstellung (Leerzeichen)");
    }
    if (result.ok() && isLongerThan(ctx, v, 5)) result.fail(kFieldTooLong);
  });
}

pl::Value* TB_DSKO_04::F_PruefeVF(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVF");
  hf_fehlertext->set(ctx->createInvalidValue());
  return oneOf(ctx, kName, hf_fehlertext, VF, kDSKO004, {"UVSDD", "UVELN"});
}

pl::Value* TB_DSKO_04::F_PruefeANRAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeANRAP");
  hf_fehlertext->set(ctx->createInvalidValue());
  return oneOf(ctx, kName, hf_fehlertext, ANRAP, kDSKO570, {"M", "W"});
}

pl::Value* TB_DSKO_04::F_PruefeVERNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVERNR");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = VERNR->get(ctx);
    if (failsNumeric(v, result, "DSKO040 VERSIONS-NR nicht numerisch")) return;
    if (!equalsText(ctx, v, "04")) result.fail("DSKO042 VERSIONS-NR nicht zugelassen");
  });
}

pl::Value* TB_DSKO_04::F_PruefeFEKZ(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFEKZ");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = FEKZ->get(ctx);
    if (failsNumeric(v, result, "DSKO060 FEHLER-KENNZ nicht numerisch")) return;
    if (!equalsText(ctx, v, "0") && !equalsText(ctx, v, "1")) {
      result.fail("DSKO062 FEHLER-KENNZ ungleich 0 oder 1");
    }
  });
}

pl::Value* TB_DSKO_04::F_PruefeFEAN(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFEAN");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* fean = FEAN->get(ctx);
    if (failsNumeric(fean, result, "DSKO070 FEHLER-ANZAHL nicht numerisch")) return;
    // Only an error mark of "0" ties the error count: it must be "0" too.
    pl::Value* fekz = FEKZ->get(ctx);
    if (isPresent(fekz) && isNumeric(fekz) && equalsText(ctx, fekz, "0") &&
        !equalsText(ctx, fean, "0")) {
      result.fail("DSKO072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0");
    }
  });
}

// ED: a left-aligned string of 14 to 20 digits, the creation date
// "JJJJMMTT" (not after the processing date), the time "SSmmss", then
// positions 15 to 18 tested with NUMERISCH.
pl::Value* TB_DSKO_04::F_PruefeED(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeED");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* ed = ED->get(ctx);
    if (isMissing(ed)) result.fail(kDSKO050);
    if (result.ok() && !isTrue(ctx, F_IstLinksbündig(ctx, ed))) result.fail(kDSKO050);
    if (result.ok() && isLongerThan(ctx, ed, 20)) result.fail(kDSKO052);
    if (result.ok() && isShorterThan(ctx, ed, 14)) result.fail(kDSKO050);
    if (result.ok() && isShorterThan(ctx, F_Trim(ctx, ed), 14)) result.fail(kDSKO050);
    if (result.ok() && !isNumeric(ed)) result.fail(kDSKO050);
    if (result.ok() &&
        !Functions::isTypeConform(ctx, part(ctx, ed, 1, 8), pl::FieldType::kDateTime, "JJJJMMTT")
             ->isTrue()) {
      result.fail(kDSKO052);
    }
    if (result.ok() &&
        (!Functions::isTypeConform(ctx, part(ctx, ed, 9, 6), pl::FieldType::kDateTime, "SSmmss")
              ->isTrue() ||
         !isNumeric(part(ctx, ed, 15, 4)))) {
      result.fail(kDSKO056);
    }
    if (result.ok()) {
      pl::Value* day = part(ctx, ed, 1, 8);
      pl::Value* created = ctx->createDateValue(day->getString(), "JJJJMMTT");
      if (Functions::gt(ctx, created, Functions::HEUTE(ctx))->isTrue()) result.fail(kDSKO054);
    }
  });
}

pl::Value* TB_DSKO_04::F_PruefeEMAILAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeEMAILAP");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* mail = EMAILAP->get(ctx);
    if (isMissing(mail) ||
        Functions::eq(ctx, Functions::WERTLAENGE(ctx, F_Trim(ctx, mail)), ctx->createNumberValue(0))
            ->isTrue()) {
      result.fail("DSKO605 EMAIL-EMPFAENGER-PROTOKOLLE ist leer");
    }
    // The length is tested whatever the first test found.
    if (isPresent(mail) && isLongerThan(ctx, mail, 70)) result.fail(kFieldTooLong);
    if (result.ok() && !isTrue(ctx, F_IstErlaubteEmailZeichen(ctx, F_Trim(ctx, mail)))) {
      result.fail("DSKO610 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen");
    }
    if (result.ok() && !isTrue(ctx, F_IstErlaubteEmail(ctx, F_Trim(ctx, mail)))) {
      result.fail("DSKO612 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen");
    }
  });
}

}  // namespace DSKO_04
