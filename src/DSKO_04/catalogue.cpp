// The catalogue of record type DSKO_04: 24 fields without groups, 23 checks
// and the rule functions callable by name.

#include <array>

#include "DSKO_04/DSKO_04.h"
#include "machinery/by_name.h"
#include "machinery/check_rows.h"
#include "machinery/record_type.h"
#include "shared/fields.h"
#include "shared/rule_steps.h"
#include "shared/text_functions.h"

namespace DSKO_04::catalogue {

using namespace vexal::machinery;
using namespace vexal::shared;

// Record order; 415 characters.
constexpr auto kFields = fieldTable(
    kSenderFields, FieldRow{"VERNR", "VERSIONS-NR", kNum, 2, kMandatory}, fields::ED, fields::FEKZ,
    fields::FEAN, FieldRow{"ABSNER", "ABSENDER-NUMMER-ERSTELLER", kText, 15, kMandatory},
    fields::PRODID, fields::MODID, FieldRow{"NAME1", "NAME1-ABSENDER", kText, 30, kMandatory},
    FieldRow{"NAME2", "NAME2-ABSENDER", kText, 30, kOptional},
    FieldRow{"NAME3", "NAME3-ABSENDER", kText, 30, kOptional},
    FieldRow{"PLZ", "PLZ-BETRIEB", kText, 10, kMandatory},
    FieldRow{"ORT", "ORT-BETRIEB", kText, 34, kMandatory},
    FieldRow{"STR", "STRASSE-BETRIEB", kText, 33, kOptional},
    FieldRow{"NR", "HAUS-NR-BETRIEB", kText, 9, kOptional},
    FieldRow{"ANRAP", "ANREDE-ANSPRECHPARTNER", kText, 1, kMandatory},
    FieldRow{"NAMEAP", "NAME-ANSPRECHPARTNER", kText, 30, kMandatory},
    FieldRow{"TELAP", "TELEFON-ANSPRECHPARTNER", kText, 20, kMandatory},
    FieldRow{"FAXAP", "FAX-ANSPRECHPARTNER", kText, 20, kOptional},
    FieldRow{"EMAILAP", "EMAIL-EMPFAENGER-PROTOKOLLE", kText, 70, kMandatory},
    FieldRow{"RESERVE", "RESERVE", kText, 5, kMandatory});

constexpr char kDSKO004[] = "DSKO004 Verfahren nicht zugelassen";
constexpr char kDSKO040[] = "DSKO040 VERSIONS-NR nicht numerisch";
constexpr char kDSKO060[] = "DSKO060 FEHLER-KENNZ nicht numerisch";
constexpr char kDSKO070[] = "DSKO070 FEHLER-ANZAHL nicht numerisch";
constexpr char kDSKO570[] = "DSKO570 ANREDE-ANSPRECHPARTNER ungleich M oder W";

using TB = TB_DSKO_04;

// The order of StandardAblauf: the layout order without KE. ABSN and EPNR
// have only their type-conformance checks: their rule functions pass.
constexpr CheckRow kChecks[] = {
    check("P_VF", "F_PruefeVF", kClearsText, missing(kDSKO004),
          notOneOf(kDSKO004, "UVSDD", "UVELN")),
    check("P_ABSN", "F_PruefeABSN", kClearsText),
    check("P_EPNR", "F_PruefeEPNR", kClearsText),
    check("P_VERNR", "F_PruefeVERNR", kClearsText, missing(kDSKO040), notNumeric(kDSKO040),
          notOneOf("DSKO042 VERSIONS-NR nicht zugelassen", "04")),
    check("P_ED", "F_PruefeED", kClearsText,
          body<&TB::F_PruefeED>("DSKO050 DATUM-ERSTELLUNG nicht numerisch",
                                "DSKO052 DATUM-ERSTELLUNG logisch falsch",
                                "DSKO056 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch",
                                "DSKO054 DATUM-ERSTELLUNG gr\xF6\xDF"
                                "er Verarbeitungsdatum")),
    check("P_FEKZ", "F_PruefeFEKZ", kClearsText, missing(kDSKO060), notNumeric(kDSKO060),
          notOneOf("DSKO062 FEHLER-KENNZ ungleich 0 oder 1", "0", "1")),
    check("P_FEAN", "F_PruefeFEAN", kClearsText, missing(kDSKO070), notNumeric(kDSKO070),
          body<&TB::errorCountWithoutErrorFlag>(
              "DSKO072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0")),
    check("P_ABSNER", "F_PruefeABSNER", kClearsText,
          missing("DSKO080 BBNR-ERSTELLER gleich Grundstellung")),
    check("P_PRODID", "F_PruefePRODID", missing("DSKO082 PRODUKT-IDENTIFIER gleich Grundstellung"),
          tooLong()),
    check("P_MODID", "F_PruefeMODID", kClearsText,
          missing("DSKO084 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"), tooLong()),
    check("P_NAME1", "F_PruefeNAME1", blank("DSKO500 NAME1-ABSENDER ist leer"), tooLong()),
    check("P_NAME2", "F_PruefeNAME2", tooLong()),
    check("P_NAME3", "F_PruefeNAME3", tooLong()),
    check("P_PLZ", "F_PruefePLZ", blank("DSKO530 PLZ-BETRIEB ist leer"), tooLong()),
    check("P_ORT", "F_PruefeORT", blank("DSKO540 ORT-BETRIEB ist leer"), tooLong()),
    check("P_STR", "F_PruefeSTR", tooLong()),
    check("P_NR", "F_PruefeNR", tooLong()),
    check("P_ANRAP", "F_PruefeANRAP", kClearsText, missing(kDSKO570), notOneOf(kDSKO570, "M", "W")),
    check("P_NAMEAP", "F_PruefeNAMEAP", blank("DSKO580 NAME-ANSPRECHPARTNER ist leer"), tooLong()),
    check("P_TELAP", "F_PruefeTELAP", blank("DSKO590 TELEFON-ANSPRECHPARTNER ist leer"), tooLong()),
    check("P_FAXAP", "F_PruefeFAXAP", tooLong()),
    check("P_EMAILAP", "F_PruefeEMAILAP",
          body<&TB::F_PruefeEMAILAP>(
              "DSKO605 EMAIL-EMPFAENGER-PROTOKOLLE ist leer",
              "DSKO610 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen",
              "DSKO612 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen")),
    check("P_RESERVE", "F_PruefeRESERVE",
          suppliedNotBlank("DSKO900 RESERVE ungleich Grundstellung (Leerzeichen)"), tooLong()),
};

constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

constexpr auto kOtherFunctions = join(
    kTextFunctions, std::array{
                        byName<&F_IstErlaubteEmail>("F_IstErlaubteEmail", "wert"),
                        byName<&F_IstErlaubteEmailZeichen>("F_IstErlaubteEmailZeichen", "wert"),
                    });
constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();

constexpr RecordCatalogue kRecord =
    recordCatalogue("DSKO_04", "20221017_130443", rootTopic<TB>(kFields, kRootChecks), kFunctions);

}  // namespace DSKO_04::catalogue

VEXAL_DEFINE_RECORD_TYPE(DSKO_04)
