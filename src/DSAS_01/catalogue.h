// The catalogue of record type DSAS_01: 29 fields and the contact-person
// group, 28 root checks and the rule functions callable by name. DSAS_02
// states its differences from these tables.

#ifndef VEXAL_DSAS_01_CATALOGUE_H_
#define VEXAL_DSAS_01_CATALOGUE_H_

#include "DSAS_01/DSAS_01.h"
#include "machinery/by_name.h"
#include "machinery/check_rows.h"
#include "shared/fields.h"
#include "shared/header_rules.h"
#include "shared/rule_steps.h"

namespace DSAS_01::catalogue {

using namespace vexal::machinery;
using namespace vexal::shared;
using TB = TB_DSAS_01;

// Record order; 463 characters, then the group.
inline constexpr auto kFields = fieldTable(
    kSenderFields, FieldRow{"VERNRAS", "VERSIONS-NR-AS", kNum, 2, kMandatory}, fields::NEVERNR,
    FieldRow{"VERNRDSAS", "VERSIONS-NR-ZQ-AS", kNum, 2, kOptional}, fields::ED, kReportFields,
    FieldRow{"AFGRUND", "ABFRAGEGRUND", kText, 4, kMandatory});

inline constexpr GroupRow kGroups[] = {contactPersonGroup<&TB::AN>()};

// Texts that several tests of a check fail with.
inline constexpr char kDSAS050[] = "DSAS050 DATUM-ERSTELLUNG nicht numerisch";
inline constexpr char kDSAS051[] = "DSAS051 DATUM-ERSTELLUNG logisch falsch";
inline constexpr char kDSAS201[] = "DSAS201 Unzul\xE4ssige BBNRUV";

// The order of StandardAblauf: the layout order without KE.
inline constexpr CheckRow kChecks[] = {
    check("P_VF", "F_PruefeVF", notOneOf("DSAS005 VERFAHREN ungleich UVSDD", "UVSDD")),
    check("P_ABSN", "F_PruefeABSN", kClearsText,
          senderNumberRefused(
              "DSAS010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)",
              "DSAS012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)")),
    check("P_EPNR", "F_PruefeEPNR", kClearsText,
          recipientRefused("DSAS020 EMPFAENGERNUMMER ungleich 30517264")),
    check("P_VERNRAS", "F_PruefeVERNRAS", notNumeric("DSAS030 VERSIONS-NR-AS ist nicht numerisch"),
          version01From2024("DSAS031 VERSIONS-NR-AS ist unzul\xE4ssig")),
    check("P_NEVERNR", "F_PruefeNEVERNR",
          notNumeric("DSAS034 NEBENVERSIONS-NR ist nicht numerisch"), tooLong()),
    check("P_VERNRDSAS", "F_PruefeVERNRDSAS",
          notNumeric("DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch"), tooLong()),
    // The creation date's rule function is named without its field.
    check("P_ED", "F_Pruefe", kClearsText, missing(kDSAS050), notLeftAligned(kDSAS050),
          longerThan(20, kDSAS051), shorterThan(14, kDSAS050), timestampNotNumeric(kDSAS050),
          noValidDate(kDSAS051), noValidTime("DSAS053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"),
          dateAfterProcessingDate("DSAS052 DATUM-ERSTELLUNG gr\xF6\xDF"
                                  "er als Verarbeitungsdatum"),
          fractionNotNumeric("DSAS054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch")),
    check("P_MMFU", "F_PruefeMMFU", notOneOf("DSAS060 MM-FUV-DATEN ungleich N oder J", "N", "J")),
    check("P_FEKZ", "F_PruefeFEKZ", notNumeric("DSAS065 FEHLER-KZ nicht numerisch"), tooLong()),
    check("P_FEAN", "F_PruefeFEAN", notNumeric("DSAS070 FEHLER-ANZAHL nicht numerisch"), tooLong(),
          errorCountWithoutErrorFlag("DSAS072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0"),
          errorCountMissingForErrorFlag("DSAS071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0")),
    check("P_RESERVE1", "F_PruefeRESERVE1", tooLong()),
    check("P_PRODID", "F_PruefePRODID", blank("DSAS101 PRODUKT-IDENTIFIER gleich Grundstellung"),
          tooLong()),
    check("P_MODID", "F_PruefeMODID",
          blank("DSAS102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"), tooLong()),
    check("P_DSID", "F_PruefeDSID", blank("DSAS110 DATENSATZ-ID Grundstellung unzul\xE4ssig"),
          tooLong(), refusedIdCharacter("DSAS111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen")),
    check("P_VOID", "F_PruefeVOID", blank("DSAS120 VORGANGS-ID Grundstellung unzul\xE4ssig"),
          tooLong(), refusedIdCharacter("DSAS121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen")),
    check("P_KENNZST", "F_PruefeKENNZST",
          notOneOf("DSAS130 KENNZ-STORNO ungleich N oder J", "N", "J")),
    check("P_RESERVE2", "F_PruefeRESERVE2", tooLong()),
    check("P_MMUEB", "F_PruefeMMUEB",
          notOneOf("DSAS140 MM-UEBERMITTLUNG ungleich 1 oder 5", "1", "5")),
    check("P_RESERVE3", "F_PruefeRESERVE3", tooLong()),
    check("P_BBNRUV", "F_PruefeBBNRUV", notLeftAligned(kDSAS201),
          always(missing("DSAS200 BBNRUV Grundstellung unzul\xE4ssig")),
          notAnnex7Carrier(kDSAS201)),
    check("P_MNR", "F_PruefeMNR", blank("DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig"),
          tooLong(),
          membershipNumberRefused("DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER",
                                  "DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER")),
    check("P_PIN", "F_PruefePIN", notNumeric("DSAS220 MNR-PIN nicht numerisch"), tooLong(),
          atMost(9999, "DSAS221 MNR-PIN nicht zul\xE4ssig")),
    check("P_LFDNR", "F_PruefeLFDNR", notNumeric("DSAS245 LAUFENDE-NUMMER nicht numerisch"),
          tooLong()),
    check("P_MJAHR", "F_PruefeMJAHR", tooLong(), notNumeric("DSAS230 MELDEJAHR nicht numerisch"),
          atMost(2015, "DSAS231 MELDEJAHR nicht zul\xE4ssig"),
          yearNotReleasedNamingSwitchDay(
              "DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach TT.MM.)")),
    // DSAS240 without its closing parenthesis.
    check("P_BBNRLB", "F_PruefeBBNRLB", kClearsText,
          companyNumberRefused("DSAS240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben"),
          carrierAsCompanyNumber("DSAS242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)")),
    check("P_BBNRAS", "F_PruefeBBNRAS", kClearsText,
          companyNumberRefused("DSAS241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"),
          carrierAsCompanyNumber(
              "DSAS243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)")),
    check("P_MMDBAP", "F_PruefeMMDBAP",
          notOneOf("DSAS249 MM-ANSPRECHPARTNER ungleich N oder J", "N", "J")),
    check("P_AFGRUND", "F_PruefeAFGRUND", notOneOf("DSAS250 ABFRAGEGRUND unzul\xE4ssig", "UV10")),
};

inline constexpr auto kRootChecks = compileChecks<kChecks>(kFields);
inline constexpr auto kFunctions = byNameTable<kRootChecks, kHeaderFunctions>();
inline constexpr RecordCatalogue kRecord =
    headerRecord<TB>("DSAS_01", "20221017_130443", kFields, kGroups, kRootChecks, kFunctions);

}  // namespace DSAS_01::catalogue

#endif  // VEXAL_DSAS_01_CATALOGUE_H_
