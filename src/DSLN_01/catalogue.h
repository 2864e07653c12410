// The catalogue of record type DSLN_01: 33 header fields, the UV block
// counted by ANUV and the contact-person block, 32 root checks, five UV
// checks and the rule functions callable by name. DSLN_02 states its
// differences from these tables.

#ifndef VEXAL_DSLN_01_CATALOGUE_H_
#define VEXAL_DSLN_01_CATALOGUE_H_

#include <array>

#include "DSLN_01/DSLN_01.h"
#include "machinery/by_name.h"
#include "machinery/check_rows.h"
#include "shared/fields.h"
#include "shared/header_rules.h"
#include "shared/rule_steps.h"

namespace DSLN_01::catalogue {

using namespace vexal::machinery;
using namespace vexal::shared;

// --- The UV block: one hazard-tariff position, 59 characters.

inline constexpr FieldRow kUvFields[] = {
    {"BBNRGT", "BBNR-GTS", kText, 15, kMandatory},
    {"GTST", "GT-STELLE", kText, 8, kMandatory},
    {"UVEGSUMM", "UV-EG-SUMME", kNum, 15, kMandatory},
    {"ARBSTDSUMM", "ARBSTD-SUMME", kNum, 15, kOptional},
    {"ANZVERSGTST", "ANZ-VERSICHERTE-PRO-GTST", kNum, 6, kMandatory},
};

inline constexpr VariableMember kUvParameters[] = {
    variable<&TB_UV::BBNRUV>, variable<&TB_UV::KENNZST>, variable<&TB_UV::UVGRUND>};

// The order of the block's StandardAblauf: the record order.
inline constexpr CheckRow kUvChecks[] = {
    check("P_BBNRGT", "F_PruefeBBNRGT", kClearsText,
          body<&TB_UV::F_PruefeBBNRGT>("DSLN270 BBNR-GTS ist unzul\xE4ssig",
                                       "DSLN271 BBNR-GTS und BBNR-UV nicht identisch")),
    check("P_GTST", "F_PruefeGTST",
          body<&TB_UV::tariffPositionMissing>("DSLN280 GT-STELLE Grundstellung unzul\xE4ssig"),
          tooLong()),
    check("P_UVEGSUMM", "F_PruefeUVEGSUMM", notNumeric("DSLN284 UV-EG-SUMME nicht numerisch"),
          body<&TB_UV::earningsForReasonA09>(
              "DSLN285 UV-EG-SUMME (ungleich Nullen) ist bei UV-GRUND nicht zul\xE4ssig"),
          tooLong()),
    check("P_ARBSTDSUMM", "F_PruefeARBSTDSUMM", notNumeric("DSLN290 ARBSTD-SUMME nicht numerisch"),
          tooLong()),
    check("P_ANZVERSGTST", "F_PruefeANZVERSGTST",
          notNumeric("DSLN295 ANZ-VERSICHERTE-PRO-GTST nicht numerisch"), tooLong()),
};

inline constexpr auto kUvCompiled = compileChecks<kUvChecks>(kUvFields);

inline constexpr TopicTable kUvTopic{
    .name = "UV",
    .fields = kUvFields,
    .parameters = kUvParameters,
    .checks = kUvCompiled,
    .make = &makeTopic<TB_UV>,
};

// --- The header; 494 characters, then the groups.

using TB = TB_DSLN_01;

inline constexpr auto kFields =
    fieldTable(kSenderFields, FieldRow{"VERNRLN", "VERSIONS-NR-LN", kNum, 2, kMandatory},
               fields::NEVERNR, FieldRow{"VERNRDSLN", "VERSIONS-NR-ZQ-LN", kNum, 2, kOptional},
               fields::ED, FieldRow{"INTERN", "INTERN", kNum, 20, kMandatory}, kReportFields,
               FieldRow{"MDGRUND", "MELDEGRUND", kText, 4, kMandatory},
               FieldRow{"UVGRUND", "UV-GRUND", kText, 3, kMandatory},
               FieldRow{"ANZVERS", "ANZ-VERS", kNum, 6, kMandatory},
               FieldRow{"ANUV", "ANZAHL-UV", kNum, 2, kMandatory});

inline constexpr GroupRow kGroups[] = {
    {"UV", "ANUV", nullptr, nullptr, &kUvTopic, &bindArray<&TB::UV>},
    contactPersonGroup<&TB::AN>(),
};

// Texts that several tests of a check fail with.
inline constexpr char kDSLN050[] = "DSLN050 DATUM-ERSTELLUNG nicht numerisch";
inline constexpr char kDSLN051[] = "DSLN051 DATUM-ERSTELLUNG logisch falsch";
inline constexpr char kDSLN201[] = "DSLN201 Unzul\xE4ssige BBNRUV";

// The order of StandardAblauf: the layout order without KE.
inline constexpr CheckRow kChecks[] = {
    fixedMessage<&TB::procedureRefused>("P_VF", "DSLN005 VERFAHREN ungleich UVELN"),
    check("P_ABSN", "F_PruefeABSN", kClearsText,
          senderNumberRefused(
              "DSLN010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)",
              "DSLN012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)")),
    check("P_EPNR", "F_PruefeEPNR", recipientRefused("DSLN020 EMPFAENGERNUMMER ungleich 30517264")),
    check("P_VERNRLN", "F_PruefeVERNRLN", notNumeric("DSLN030 VERSIONS-NR-LN ist nicht numerisch"),
          tooLong(), version01From2024("DSLN031 VERSIONS-NR-LN ist unzul\xE4ssig")),
    check("P_NEVERNR", "F_PruefeNEVERNR",
          notNumeric("DSLN034 NEBENVERSIONS-NR ist nicht numerisch"), tooLong()),
    check("P_VERNRDSLN", "F_PruefeVERNRDSLN",
          notNumeric("DSLN036 VERSIONS-NR-ZQ-LN ist nicht numerisch"), tooLong()),
    // Too short is "logisch falsch", and the fraction is tested before the
    // date against the processing date.
    check("P_ED", "F_PruefeED", kClearsText, missing(kDSLN050), notLeftAligned(kDSLN050),
          longerThan(20, kDSLN051), shorterThan(14, kDSLN051), timestampNotNumeric(kDSLN050),
          noValidDate(kDSLN051), noValidTime("DSLN053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"),
          fractionNotNumeric("DSLN054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch"),
          dateAfterProcessingDate("DSLN052 DATUM-ERSTELLUNG gr\xF6\xDF"
                                  "er als Verarbeitungsdatum")),
    // INTERN has only its type-conformance check.
    check("P_INTERN", "F_PruefeINTERN"),
    check("P_MMFU", "F_PruefeMMFU", notOneOf("DSLN060 MM-FUV-DATEN ungleich N oder J", "N", "J")),
    check("P_FEKZ", "F_PruefeFEKZ", notNumeric("DSLN065 FEHLER-KZ nicht numerisch"), tooLong()),
    // The length test before the numeric test.
    check("P_FEAN", "F_PruefeFEAN", tooLong(), notNumeric("DSLN070 FEHLER-ANZAHL nicht numerisch"),
          errorCountWithoutErrorFlag("DSLN072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0"),
          errorCountMissingForErrorFlag("DSLN071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0")),
    check("P_RESERVE1", "F_PruefeRESERVE1", tooLong()),
    check("P_PRODID", "F_PruefePRODID", blank("DSLN101 PRODUKT-IDENTIFIER gleich Grundstellung"),
          tooLong()),
    check("P_MODID", "F_PruefeMODID",
          blank("DSLN102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"), tooLong()),
    check("P_DSID", "F_PruefeDSID", blank("DSLN110 DATENSATZ-ID Grundstellung unzul\xE4ssig"),
          tooLong(), refusedIdCharacter("DSLN111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen")),
    // The character test before the length test.
    check("P_VOID", "F_PruefeVOID", blank("DSLN120 VORGANGS-ID Grundstellung unzul\xE4ssig"),
          refusedIdCharacter("DSLN121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen"), tooLong()),
    check("P_KENNZST", "F_PruefeKENNZST",
          notOneOf("DSLN130 KENNZ-STORNO ungleich N oder J", "N", "J")),
    check("P_RESERVE2", "F_PruefeRESERVE2", tooLong()),
    check("P_MMUEB", "F_PruefeMMUEB",
          notOneOf("DSLN140 MM-UEBERMITTLUNG ungleich 1 oder 5", "1", "5")),
    check("P_RESERVE3", "F_PruefeRESERVE3", tooLong()),
    check("P_BBNRUV", "F_PruefeBBNRUV", missing("DSLN200 BBNRUV Grundstellung unzul\xE4ssig"),
          notLeftAligned(kDSLN201), notAnnex7Carrier(kDSLN201),
          body<&TB::carrierRefusedForReasonA09>("DSLN202 Unzul\xE4ssige BBNRUV bei Beitragsma\xDF"
                                                "stab 2 oder 3")),
    check("P_MNR", "F_PruefeMNR", blank("DSLN210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig"),
          tooLong(),
          membershipNumberRefused("DSLN211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER",
                                  "DSLN212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER")),
    // The length test before the numeric test.
    check("P_PIN", "F_PruefePIN", tooLong(), notNumeric("DSLN220 MNR-PIN nicht numerisch"),
          atMost(9999, "DSLN221 MNR-PIN nicht zul\xE4ssig")),
    check("P_LFDNR", "F_PruefeLFDNR", tooLong(),
          notNumeric("DSLN245 LAUFENDE-NUMMER nicht numerisch")),
    check("P_MJAHR", "F_PruefeMJAHR", tooLong(), notNumeric("DSLN230 MELDEJAHR nicht numerisch"),
          atMost(2015, "DSLN231 MELDEJAHR nicht zul\xE4ssig"),
          yearNotReleased("DSLN232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr)")),
    check("P_BBNRLB", "F_PruefeBBNRLB", kClearsText,
          companyNumberRefused("DSLN240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"),
          carrierAsCompanyNumber("DSLN242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)")),
    check("P_BBNRAS", "F_PruefeBBNRAS", kClearsText,
          companyNumberRefused("DSLN241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"),
          carrierAsCompanyNumber(
              "DSLN243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)")),
    check("P_MMDBAP", "F_PruefeMMDBAP",
          notOneOf("DSLN249 MM-ANSPRECHPARTNER ungleich N oder J", "N", "J")),
    check("P_MDGRUND", "F_PruefeMDGRUND",
          notOneOf("DSLN250 MELDEGRUND unzul\xE4ssig", "UV01", "UV05", "UV06", "UV08")),
    check("P_UVGRUND", "F_PruefeUVGRUND",
          body<&TB::F_PruefeUVGRUND>("DSLN260 UV-GRUND ungleich Grundstellung oder A09")),
    check("P_ANZVERS", "F_PruefeANZVERS", notNumeric("DSLN265 ANZ-VERS nicht numerisch"),
          tooLong()),
    check("P_ANUV", "F_PruefeANUV", notNumeric("DSLN267 ANZAHL-UV nicht numerisch"),
          body<&TB::positionCountRefused>("DSLN268 ANZAHL-UV Grundstellung unzul\xE4ssig")),
};

inline constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

inline constexpr auto kOtherFunctions =
    join(kHeaderFunctions, std::array{byName<&F_IstBbnrAnlage19b>("F_IstBbnrAnlage19b", "wert")});
inline constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();
inline constexpr RecordCatalogue kRecord =
    headerRecord<TB>("DSLN_01", "20221017_130442", kFields, kGroups, kRootChecks, kFunctions);

}  // namespace DSLN_01::catalogue

#endif  // VEXAL_DSLN_01_CATALOGUE_H_
