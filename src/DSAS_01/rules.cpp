// The rule functions behind the root check procedures of DSAS_01. Each
// keeps the result number of a checking rule function: the first failed
// test leaves its message in hf_fehlertext.

#include <cstddef>

#include "DSAS_01/DSAS_01.h"
#include "machinery/rule_function.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/carrier_numbers.h"
#include "shared/company_numbers.h"
#include "shared/rule_shapes.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace DSAS_01 {
namespace {

using pl::Functions;
using vexal::machinery::checkFunction;
using vexal::machinery::FunctionName;
using vexal::machinery::RuleResult;
using vexal::machinery::texts::kFieldTooLong;
using namespace vexal::shared;

// The receiving organisation.
constexpr char kRecipient[] = "30517264";

constexpr char kDSAS010[] = "DSAS010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
constexpr char kDSAS020[] = "DSAS020 EMPFAENGERNUMMER ungleich 30517264";
constexpr char kDSAS030[] = "DSAS030 VERSIONS-NR-AS ist nicht numerisch";
constexpr char kDSAS050[] = "DSAS050 DATUM-ERSTELLUNG nicht numerisch";
constexpr char kDSAS051[] = "DSAS051 DATUM-ERSTELLUNG logisch falsch";
constexpr char kDSAS070[] = "DSAS070 FEHLER-ANZAHL nicht numerisch";
constexpr char kDSAS201[] = "DSAS201 Unzul\xE4ssige BBNRUV";
constexpr char kDSAS220[] = "DSAS220 MNR-PIN nicht numerisch";
constexpr char kDSAS230[] = "DSAS230 MELDEJAHR nicht numerisch";
constexpr char kDSAS232[] = "DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach TT.MM.)";

bool isZeroResult(pl::RuntimeContext* ctx, pl::Value* result) {
  return equalsNumber(ctx, result, 0);
}

bool hasLength(pl::RuntimeContext* ctx, pl::Value* v, std::size_t length) {
  return isPresent(v) && !isLongerThan(ctx, v, length) && !isShorterThan(ctx, v, length);
}

// DSID and VOID: supplied, not blank, at most 32 characters, of the id
// characters only. The last message replaces the one naming the character.
pl::Value* idField(TB_DSAS_01& topic, pl::RuntimeContext* ctx, const FunctionName& name,
                   pl::Field* field, const char* blank, const char* refused) {
  return checkFunction(ctx, name, topic.hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isMissing(v) || isBlank(ctx, v)) result.fail(blank);
    if (result.ok() && isLongerThan(ctx, v, 32)) result.fail(kFieldTooLong);
    if (result.ok() && !isTrue(ctx, topic.F_IstDsIdVoIdKonform(ctx, v))) result.fail(refused);
  });
}

// From reporting year 2018 on, a query that is no cancellation may not
// give a carrier's own number as BBNRLB or BBNRAS.
bool isCarrierNumberRefused(TB_DSAS_01& topic, pl::RuntimeContext* ctx, pl::Value* bbnr) {
  pl::Value* mjahr = topic.MJAHR->get(ctx);
  return equalsText(ctx, topic.KENNZST->get(ctx), "N") && isNumeric(mjahr) &&
         isAtLeast(ctx, mjahr, 2018) && isTrue(ctx, F_IstBbnrAnlage20(ctx, bbnr));
}

}  // namespace

pl::Value* TB_DSAS_01::F_PruefeVF(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVF");
  return oneOf(ctx, kName, hf_fehlertext, VF, "DSAS005 VERFAHREN ungleich UVSDD", {"UVSDD"});
}

// A sender number of digits is an ordinary company number, any other a
// separate one.
pl::Value* TB_DSAS_01::F_PruefeABSN(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeABSN");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* absn = ABSN->get(ctx);
    if (isMissing(absn)) result.fail(kDSAS010);
    if (!result.ok()) return;
    if (isNumeric(F_Trim(ctx, absn))) {
      if (isZeroResult(ctx, F_PruefeBetriebsnummer(ctx, absn))) result.fail(kDSAS010);
    } else if (isZeroResult(ctx, F_PruefeGesonderteBetriebsnummer(ctx, absn))) {
      result.fail("DSAS012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)");
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeEPNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeEPNR");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* epnr = EPNR->get(ctx);
    if (isMissing(epnr)) result.fail(kDSAS020);
    if (result.ok() && !isTrue(ctx, F_IstLinksbündig(ctx, epnr))) result.fail(kDSAS020);
    if (result.ok() && !equalsText(ctx, F_Trim(ctx, epnr), kRecipient)) result.fail(kDSAS020);
  });
}

// Version "01" is refused for reporting years from 2024 on.
pl::Value* TB_DSAS_01::F_PruefeVERNRAS(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVERNRAS");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* version = VERNRAS->get(ctx);
    if (failsNumeric(version, result, kDSAS030)) return;
    pl::Value* mjahr = MJAHR->get(ctx);
    if (equalsText(ctx, version, "01") && hasLength(ctx, mjahr, 4) && isNumeric(mjahr) &&
        isGreaterThan(ctx, mjahr, 2023)) {
      result.fail("DSAS031 VERSIONS-NR-AS ist unzul\xE4ssig");
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeNEVERNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNEVERNR");
  return numericField(ctx, kName, hf_fehlertext, NEVERNR,
                      "DSAS034 NEBENVERSIONS-NR ist nicht numerisch", 2);
}

pl::Value* TB_DSAS_01::F_PruefeVERNRDSAS(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVERNRDSAS");
  return numericField(ctx, kName, hf_fehlertext, VERNRDSAS,
                      "DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch", 2);
}

// ED: left-aligned, 14 to 20 characters: the date "JJJJMMTT" (not after
// the processing date), the time "SSmmss" and an optional 6-digit fraction.
pl::Value* TB_DSAS_01::F_Pruefe(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_Pruefe");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* ed = ED->get(ctx);
    if (isMissing(ed)) result.fail(kDSAS050);
    if (result.ok() && !isTrue(ctx, F_IstLinksbündig(ctx, ed))) result.fail(kDSAS050);
    if (result.ok() && isLongerThan(ctx, ed, 20)) result.fail(kDSAS051);
    if (result.ok() && isShorterThan(ctx, ed, 14)) result.fail(kDSAS050);
    if (result.ok() && !isNumeric(part(ctx, ed, 1, 14))) result.fail(kDSAS050);
    if (result.ok() &&
        !Functions::isTypeConform(ctx, part(ctx, ed, 1, 8), pl::FieldType::kDateTime, "JJJJMMTT")
             ->isTrue()) {
      result.fail(kDSAS051);
    }
    if (result.ok() &&
        !Functions::isTypeConform(ctx, part(ctx, ed, 9, 6), pl::FieldType::kDateTime, "SSmmss")
             ->isTrue()) {
      result.fail("DSAS053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch");
    }
    if (result.ok()) {
      pl::Value* day = part(ctx, ed, 1, 8);
      pl::Value* created = ctx->createDateValue(day->getString(), "JJJJMMTT");
      if (Functions::gt(ctx, created, Functions::HEUTE(ctx))->isTrue()) {
        result.fail(
            "DSAS052 DATUM-ERSTELLUNG gr\xF6\xDF"
            "er als Verarbeitungsdatum");
      }
    }
    if (result.ok() && hasLength(ctx, ed, 20) && !isNumeric(part(ctx, ed, 15, 6))) {
      result.fail("DSAS054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch");
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeMMFU(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMMFU");
  return oneOf(ctx, kName, hf_fehlertext, MMFU, "DSAS060 MM-FUV-DATEN ungleich N oder J",
               {"N", "J"});
}

pl::Value* TB_DSAS_01::F_PruefeFEKZ(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFEKZ");
  return numericField(ctx, kName, hf_fehlertext, FEKZ, "DSAS065 FEHLER-KZ nicht numerisch", 1);
}

// The error count goes with the error flag: none for flag 0, 1 to 9 for a
// flag above 0.
pl::Value* TB_DSAS_01::F_PruefeFEAN(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFEAN");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* fean = FEAN->get(ctx);
    if (failsNumeric(fean, result, kDSAS070)) return;
    if (isLongerThan(ctx, fean, 1)) result.fail(kFieldTooLong);
    pl::Value* fekz = FEKZ->get(ctx);
    bool flag_numeric = isPresent(fekz) && isNumeric(fekz);
    if (result.ok() && flag_numeric && equalsNumber(ctx, fekz, 0) && !equalsNumber(ctx, fean, 0)) {
      result.fail("DSAS072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0");
    }
    if (result.ok() && flag_numeric && isGreaterThan(ctx, fekz, 0)) {
      pl::Value* counts = ctx->createIntervalRange(
          ctx->createNumberValue(1), ctx->createNumberValue(9), pl::IntervalType::kClosed);
      if (!Functions::contains(ctx, counts, fean)->isTrue()) {
        result.fail("DSAS071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0");
      }
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeRESERVE1(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeRESERVE1");
  return lengthOnly(ctx, kName, hf_fehlertext, RESERVE1, 100);
}

pl::Value* TB_DSAS_01::F_PruefeRESERVE2(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeRESERVE2");
  return lengthOnly(ctx, kName, hf_fehlertext, RESERVE2, 32);
}

pl::Value* TB_DSAS_01::F_PruefeRESERVE3(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeRESERVE3");
  return lengthOnly(ctx, kName, hf_fehlertext, RESERVE3, 100);
}

pl::Value* TB_DSAS_01::F_PruefePRODID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefePRODID");
  return notBlank(ctx, kName, hf_fehlertext, PRODID,
                  "DSAS101 PRODUKT-IDENTIFIER gleich Grundstellung", 7);
}

pl::Value* TB_DSAS_01::F_PruefeMODID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMODID");
  return notBlank(ctx, kName, hf_fehlertext, MODID,
                  "DSAS102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung", 8);
}

pl::Value* TB_DSAS_01::F_PruefeDSID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeDSID");
  return idField(*this, ctx, kName, DSID, "DSAS110 DATENSATZ-ID Grundstellung unzul\xE4ssig",
                 "DSAS111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen");
}

pl::Value* TB_DSAS_01::F_PruefeVOID(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeVOID");
  return idField(*this, ctx, kName, VOID, "DSAS120 VORGANGS-ID Grundstellung unzul\xE4ssig",
                 "DSAS121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen");
}

pl::Value* TB_DSAS_01::F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert) {
  return vexal::shared::F_IstDsIdVoIdKonform(ctx, wert, hf_fehlertext);
}

pl::Value* TB_DSAS_01::F_PruefeKENNZST(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeKENNZST");
  return oneOf(ctx, kName, hf_fehlertext, KENNZST, "DSAS130 KENNZ-STORNO ungleich N oder J",
               {"N", "J"});
}

pl::Value* TB_DSAS_01::F_PruefeMMUEB(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMMUEB");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    static constexpr char kDSAS140[] = "DSAS140 MM-UEBERMITTLUNG ungleich 1 oder 5";
    pl::Value* v = MMUEB->get(ctx);
    if (failsNumeric(v, result, kDSAS140)) return;
    if (!isOneOf(ctx, v, {"1", "5"})) result.fail(kDSAS140);
  });
}

// The carrier's company number, also the key of the membership-number
// rules.
pl::Value* TB_DSAS_01::F_PruefeBBNRUV(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeBBNRUV");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* carrier = BBNRUV->get(ctx);
    if (!isTrue(ctx, F_IstLinksbündig(ctx, carrier))) result.fail(kDSAS201);
    // Whatever the first test found.
    if (isMissing(carrier)) result.fail("DSAS200 BBNRUV Grundstellung unzul\xE4ssig");
    if (result.ok() && !isTrue(ctx, F_IstBbnrAnlage7(ctx, carrier))) result.fail(kDSAS201);
  });
}

pl::Value* TB_DSAS_01::F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr) {
  return vexal::shared::F_IstBbnrAnlage7(ctx, paramBbnr, MJAHR->get(ctx));
}

// The carrier's rules for its membership numbers apply to queries that are
// no cancellation.
pl::Value* TB_DSAS_01::F_PruefeMNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMNR");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* mnr = MNR->get(ctx);
    if (isMissing(mnr) || isBlank(ctx, mnr)) {
      result.fail("DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig");
    }
    if (result.ok() && isLongerThan(ctx, mnr, 20)) result.fail(kFieldTooLong);
    if (!result.ok() || !equalsText(ctx, KENNZST->get(ctx), "N")) return;
    pl::Value* m = F_Trim(ctx, mnr);
    pl::Value* u = F_Trim(ctx, BBNRUV->get(ctx));
    pl::Value* no = ctx->createBoolValue(false);
    // A carrier without rules answers with the invalid value, which is not
    // false.
    if (Functions::eq(ctx, F_GibZulaessigeMNRLaenge(ctx, u, Functions::WERTLAENGE(ctx, m)), no)
            ->isTrue()) {
      result.fail("DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER");
    }
    if (result.ok() && Functions::eq(ctx, F_IstMNRZeichenZulaessig(ctx, u, m), no)->isTrue()) {
      result.fail("DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER");
    }
  });
}

// A PIN is a number from 10000 to 99999.
pl::Value* TB_DSAS_01::F_PruefePIN(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefePIN");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* pin = PIN->get(ctx);
    if (failsNumeric(pin, result, kDSAS220)) return;
    if (isLongerThan(ctx, pin, 5)) result.fail(kFieldTooLong);
    if (result.ok() && isAtMost(ctx, pin, 9999)) result.fail("DSAS221 MNR-PIN nicht zul\xE4ssig");
  });
}

pl::Value* TB_DSAS_01::F_PruefeLFDNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeLFDNR");
  return numericField(ctx, kName, hf_fehlertext, LFDNR, "DSAS245 LAUFENDE-NUMMER nicht numerisch",
                      3);
}

// Reporting years from 2016 on, up to the highest released one; the
// message names the switch day as "TT.MM".
pl::Value* TB_DSAS_01::F_PruefeMJAHR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMJAHR");
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* mjahr = MJAHR->get(ctx);
    if (isMissing(mjahr)) result.fail(kDSAS230);
    if (result.ok() && isLongerThan(ctx, mjahr, 4)) result.fail(kFieldTooLong);
    if (result.ok() && !isNumeric(mjahr)) result.fail(kDSAS230);
    if (result.ok() && isAtMost(ctx, mjahr, 2015)) {
      result.fail("DSAS231 MELDEJAHR nicht zul\xE4ssig");
    }
    if (!result.ok()) return;
    pl::Value* switch_day = ipMjahrSchalttag->get(ctx);
    if (isTrue(ctx, F_IstMjahrFreigeschaltet(ctx, mjahr, switch_day))) return;
    pl::Value* day_month = Functions::KONKATENIEREN(
        ctx,
        Functions::KONKATENIEREN(ctx, part(ctx, switch_day, 3, 2), ctx->createStringValue(".")),
        part(ctx, switch_day, 1, 2));
    result.fail(Functions::ERSETZEN(ctx, ctx->createStringValue(kDSAS232),
                                    ctx->createStringValue("TT.MM"), day_month));
  });
}

pl::Value* TB_DSAS_01::F_PruefeBBNRLB(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeBBNRLB");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    static constexpr char kDSAS240[] =
        "DSAS240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben";
    pl::Value* bbnr = BBNRLB->get(ctx);
    if (isMissing(bbnr)) result.fail(kDSAS240);
    if (result.ok() && isZeroResult(ctx, F_PruefeBetriebsnummer(ctx, bbnr))) result.fail(kDSAS240);
    if (result.ok() && isCarrierNumberRefused(*this, ctx, bbnr)) {
      result.fail("DSAS242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)");
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeBBNRAS(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeBBNRAS");
  hf_fehlertext->set(ctx->createInvalidValue());
  return checkFunction(ctx, kName, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* bbnr = BBNRAS->get(ctx);
    if (isMissing(bbnr) || isZeroResult(ctx, F_PruefeBetriebsnummer(ctx, bbnr))) {
      result.fail("DSAS241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)");
    }
    if (result.ok() && isCarrierNumberRefused(*this, ctx, bbnr)) {
      result.fail("DSAS243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)");
    }
  });
}

pl::Value* TB_DSAS_01::F_PruefeMMDBAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeMMDBAP");
  return oneOf(ctx, kName, hf_fehlertext, MMDBAP, "DSAS249 MM-ANSPRECHPARTNER ungleich N oder J",
               {"N", "J"});
}

pl::Value* TB_DSAS_01::F_PruefeAFGRUND(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeAFGRUND");
  return oneOf(ctx, kName, hf_fehlertext, AFGRUND, "DSAS250 ABFRAGEGRUND unzul\xE4ssig", {"UV10"});
}

void TB_DSAS_01::runBlocks(pl::RuntimeContext* ctx) { runContactPerson(ctx, MMDBAP, AN); }

}  // namespace DSAS_01
