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
    kSenderFields, FieldSpec{"VERNRAS", "VERSIONS-NR-AS", kNum, 2, kMandatory}, fields::NEVERNR,
    FieldSpec{"VERNRDSAS", "VERSIONS-NR-ZQ-AS", kNum, 2, kOptional}, fields::ED, kReportFields,
    FieldSpec{"AFGRUND", "ABFRAGEGRUND", kText, 4, kMandatory});

inline constexpr GroupSpec kGroups[] = {contactPersonGroup<&TB::AN>()};

inline constexpr VariableMember kParameters[] = {variable<&TB::ipMjahrSchalttag>};

inline constexpr char kDSAS005[] = "DSAS005 VERFAHREN ungleich UVSDD";
inline constexpr char kDSAS010[] =
    "DSAS010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
inline constexpr char kDSAS012[] =
    "DSAS012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)";
inline constexpr char kDSAS020[] = "DSAS020 EMPFAENGERNUMMER ungleich 30517264";
inline constexpr char kDSAS030[] = "DSAS030 VERSIONS-NR-AS ist nicht numerisch";
inline constexpr char kDSAS031[] = "DSAS031 VERSIONS-NR-AS ist unzul\xE4ssig";
inline constexpr char kDSAS034[] = "DSAS034 NEBENVERSIONS-NR ist nicht numerisch";
inline constexpr char kDSAS036[] = "DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch";
inline constexpr char kDSAS050[] = "DSAS050 DATUM-ERSTELLUNG nicht numerisch";
inline constexpr char kDSAS051[] = "DSAS051 DATUM-ERSTELLUNG logisch falsch";
inline constexpr char kDSAS052[] =
    "DSAS052 DATUM-ERSTELLUNG gr\xF6\xDF"
    "er als Verarbeitungsdatum";
inline constexpr char kDSAS053[] = "DSAS053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch";
inline constexpr char kDSAS054[] =
    "DSAS054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch";
inline constexpr char kDSAS060[] = "DSAS060 MM-FUV-DATEN ungleich N oder J";
inline constexpr char kDSAS065[] = "DSAS065 FEHLER-KZ nicht numerisch";
inline constexpr char kDSAS070[] = "DSAS070 FEHLER-ANZAHL nicht numerisch";
inline constexpr char kDSAS071[] = "DSAS071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0";
inline constexpr char kDSAS072[] = "DSAS072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0";
inline constexpr char kDSAS101[] = "DSAS101 PRODUKT-IDENTIFIER gleich Grundstellung";
inline constexpr char kDSAS102[] = "DSAS102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung";
inline constexpr char kDSAS110[] = "DSAS110 DATENSATZ-ID Grundstellung unzul\xE4ssig";
inline constexpr char kDSAS111[] = "DSAS111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen";
inline constexpr char kDSAS120[] = "DSAS120 VORGANGS-ID Grundstellung unzul\xE4ssig";
inline constexpr char kDSAS121[] = "DSAS121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen";
inline constexpr char kDSAS130[] = "DSAS130 KENNZ-STORNO ungleich N oder J";
inline constexpr char kDSAS140[] = "DSAS140 MM-UEBERMITTLUNG ungleich 1 oder 5";
inline constexpr char kDSAS200[] = "DSAS200 BBNRUV Grundstellung unzul\xE4ssig";
inline constexpr char kDSAS201[] = "DSAS201 Unzul\xE4ssige BBNRUV";
inline constexpr char kDSAS210[] = "DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig";
inline constexpr char kDSAS211[] = "DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER";
inline constexpr char kDSAS212[] = "DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER";
inline constexpr char kDSAS220[] = "DSAS220 MNR-PIN nicht numerisch";
inline constexpr char kDSAS221[] = "DSAS221 MNR-PIN nicht zul\xE4ssig";
inline constexpr char kDSAS230[] = "DSAS230 MELDEJAHR nicht numerisch";
inline constexpr char kDSAS231[] = "DSAS231 MELDEJAHR nicht zul\xE4ssig";
inline constexpr char kDSAS232[] =
    "DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach TT.MM.)";
// Without its closing parenthesis.
inline constexpr char kDSAS240[] = "DSAS240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben";
inline constexpr char kDSAS241[] = "DSAS241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
inline constexpr char kDSAS242[] = "DSAS242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)";
inline constexpr char kDSAS243[] =
    "DSAS243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)";
inline constexpr char kDSAS245[] = "DSAS245 LAUFENDE-NUMMER nicht numerisch";
inline constexpr char kDSAS249[] = "DSAS249 MM-ANSPRECHPARTNER ungleich N oder J";
inline constexpr char kDSAS250[] = "DSAS250 ABFRAGEGRUND unzul\xE4ssig";

// The order of StandardAblauf: the layout order without KE.
inline constexpr CheckRow kChecks[] = {
    check("P_VF", "F_PruefeVF", missing(kDSAS005), notOneOf(kDSAS005, "UVSDD")),
    check("P_ABSN", "F_PruefeABSN", kClearsText, missing(kDSAS010),
          senderNumberRefused(kDSAS010, kDSAS012)),
    check("P_EPNR", "F_PruefeEPNR", kClearsText, missing(kDSAS020), notLeftAligned(kDSAS020),
          trimmedNotOneOf(kDSAS020, "30517264")),
    check("P_VERNRAS", "F_PruefeVERNRAS", missing(kDSAS030), notNumeric(kDSAS030),
          version01From2024(kDSAS031)),
    check("P_NEVERNR", "F_PruefeNEVERNR", notNumeric(kDSAS034), tooLong()),
    check("P_VERNRDSAS", "F_PruefeVERNRDSAS", notNumeric(kDSAS036), tooLong()),
    // The creation date's rule function is named without its field.
    check("P_ED", "F_Pruefe", kClearsText, missing(kDSAS050), notLeftAligned(kDSAS050),
          longerThan(20, kDSAS051), shorterThan(14, kDSAS050), timestampNotNumeric(kDSAS050),
          noValidDate(kDSAS051), noValidTime(kDSAS053), dateAfterProcessingDate(kDSAS052),
          fractionNotNumeric(kDSAS054)),
    check("P_MMFU", "F_PruefeMMFU", missing(kDSAS060), notOneOf(kDSAS060, "N", "J")),
    check("P_FEKZ", "F_PruefeFEKZ", notNumeric(kDSAS065), tooLong()),
    check("P_FEAN", "F_PruefeFEAN", missing(kDSAS070), notNumeric(kDSAS070), tooLong(),
          errorCountWithoutErrorFlag(kDSAS072), errorCountMissingForErrorFlag(kDSAS071)),
    check("P_RESERVE1", "F_PruefeRESERVE1", tooLong()),
    check("P_PRODID", "F_PruefePRODID", blank(kDSAS101), tooLong()),
    check("P_MODID", "F_PruefeMODID", blank(kDSAS102), tooLong()),
    check("P_DSID", "F_PruefeDSID", blank(kDSAS110), tooLong(), refusedIdCharacter(kDSAS111)),
    check("P_VOID", "F_PruefeVOID", blank(kDSAS120), tooLong(), refusedIdCharacter(kDSAS121)),
    check("P_KENNZST", "F_PruefeKENNZST", missing(kDSAS130), notOneOf(kDSAS130, "N", "J")),
    check("P_RESERVE2", "F_PruefeRESERVE2", tooLong()),
    check("P_MMUEB", "F_PruefeMMUEB", notNumeric(kDSAS140), notOneOf(kDSAS140, "1", "5")),
    check("P_RESERVE3", "F_PruefeRESERVE3", tooLong()),
    check("P_BBNRUV", "F_PruefeBBNRUV", notLeftAligned(kDSAS201), always(missing(kDSAS200)),
          notAnnex7Carrier(kDSAS201)),
    check("P_MNR", "F_PruefeMNR", blank(kDSAS210), tooLong(),
          membershipNumberRefused(kDSAS211, kDSAS212)),
    check("P_PIN", "F_PruefePIN", missing(kDSAS220), notNumeric(kDSAS220), tooLong(),
          atMost(9999, kDSAS221)),
    check("P_LFDNR", "F_PruefeLFDNR", notNumeric(kDSAS245), tooLong()),
    check("P_MJAHR", "F_PruefeMJAHR", missing(kDSAS230), tooLong(), notNumeric(kDSAS230),
          atMost(2015, kDSAS231), yearNotReleasedNamingSwitchDay(kDSAS232)),
    check("P_BBNRLB", "F_PruefeBBNRLB", kClearsText, missing(kDSAS240), notCompanyNumber(kDSAS240),
          carrierAsCompanyNumber(kDSAS242)),
    check("P_BBNRAS", "F_PruefeBBNRAS", kClearsText, missing(kDSAS241), notCompanyNumber(kDSAS241),
          carrierAsCompanyNumber(kDSAS243)),
    check("P_MMDBAP", "F_PruefeMMDBAP", missing(kDSAS249), notOneOf(kDSAS249, "N", "J")),
    check("P_AFGRUND", "F_PruefeAFGRUND", missing(kDSAS250), notOneOf(kDSAS250, "UV10")),
};

inline constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

}  // namespace DSAS_01::catalogue

#endif  // VEXAL_DSAS_01_CATALOGUE_H_
