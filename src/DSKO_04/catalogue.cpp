// The catalogue of record type DSKO_04: 24 fields without groups, 23 check
// procedures and the rule functions callable by name.

#include "DSKO_04/DSKO_04.h"
#include "machinery/by_name.h"
#include "machinery/field_check.h"
#include "machinery/record_layout.h"
#include "shared/text_functions.h"

namespace DSKO_04 {
namespace {

using namespace vexal::machinery;
using TB = TB_DSKO_04;

// Record order; 415 characters.
constexpr FieldSpec kFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory, &TB::KE},
    {"VF", "VERFAHREN", kText, 5, kMandatory, &TB::VF},
    {"ABSN", "ABSENDER-NUMMER", kText, 15, kMandatory, &TB::ABSN},
    {"EPNR", "EMPFAENGER-NUMMER", kText, 15, kMandatory, &TB::EPNR},
    {"VERNR", "VERSIONS-NR", kNum, 2, kMandatory, &TB::VERNR},
    {"ED", "DATUM-ERSTELLUNG", kText, 20, kMandatory, &TB::ED},
    {"FEKZ", "FEHLER-KENNZ", kNum, 1, kMandatory, &TB::FEKZ},
    {"FEAN", "FEHLER-ANZAHL", kNum, 1, kMandatory, &TB::FEAN},
    {"ABSNER", "ABSENDER-NUMMER-ERSTELLER", kText, 15, kMandatory, &TB::ABSNER},
    {"PRODID", "PRODUKT-IDENTIFIER", kText, 7, kMandatory, &TB::PRODID},
    {"MODID", "MODIFIKATIONS-IDENTIFIER", kText, 8, kMandatory, &TB::MODID},
    {"NAME1", "NAME1-ABSENDER", kText, 30, kMandatory, &TB::NAME1},
    {"NAME2", "NAME2-ABSENDER", kText, 30, kOptional, &TB::NAME2},
    {"NAME3", "NAME3-ABSENDER", kText, 30, kOptional, &TB::NAME3},
    {"PLZ", "PLZ-BETRIEB", kText, 10, kMandatory, &TB::PLZ},
    {"ORT", "ORT-BETRIEB", kText, 34, kMandatory, &TB::ORT},
    {"STR", "STRASSE-BETRIEB", kText, 33, kOptional, &TB::STR},
    {"NR", "HAUS-NR-BETRIEB", kText, 9, kOptional, &TB::NR},
    {"ANRAP", "ANREDE-ANSPRECHPARTNER", kText, 1, kMandatory, &TB::ANRAP},
    {"NAMEAP", "NAME-ANSPRECHPARTNER", kText, 30, kMandatory, &TB::NAMEAP},
    {"TELAP", "TELEFON-ANSPRECHPARTNER", kText, 20, kMandatory, &TB::TELAP},
    {"FAXAP", "FAX-ANSPRECHPARTNER", kText, 20, kOptional, &TB::FAXAP},
    {"EMAILAP", "EMAIL-EMPFAENGER-PROTOKOLLE", kText, 70, kMandatory, &TB::EMAILAP},
    {"RESERVE", "RESERVE", kText, 5, kMandatory, &TB::RESERVE},
};

// The order of StandardAblauf: the layout order without KE.
constexpr ProcedureSpec kProcedures[] = {
    procedure<&TB::F_PruefeVF>("P_VF"),           procedure<&TB::F_PruefeABSN>("P_ABSN"),
    procedure<&TB::F_PruefeEPNR>("P_EPNR"),       procedure<&TB::F_PruefeVERNR>("P_VERNR"),
    procedure<&TB::F_PruefeED>("P_ED"),           procedure<&TB::F_PruefeFEKZ>("P_FEKZ"),
    procedure<&TB::F_PruefeFEAN>("P_FEAN"),       procedure<&TB::F_PruefeABSNER>("P_ABSNER"),
    procedure<&TB::F_PruefePRODID>("P_PRODID"),   procedure<&TB::F_PruefeMODID>("P_MODID"),
    procedure<&TB::F_PruefeNAME1>("P_NAME1"),     procedure<&TB::F_PruefeNAME2>("P_NAME2"),
    procedure<&TB::F_PruefeNAME3>("P_NAME3"),     procedure<&TB::F_PruefePLZ>("P_PLZ"),
    procedure<&TB::F_PruefeORT>("P_ORT"),         procedure<&TB::F_PruefeSTR>("P_STR"),
    procedure<&TB::F_PruefeNR>("P_NR"),           procedure<&TB::F_PruefeANRAP>("P_ANRAP"),
    procedure<&TB::F_PruefeNAMEAP>("P_NAMEAP"),   procedure<&TB::F_PruefeTELAP>("P_TELAP"),
    procedure<&TB::F_PruefeFAXAP>("P_FAXAP"),     procedure<&TB::F_PruefeEMAILAP>("P_EMAILAP"),
    procedure<&TB::F_PruefeRESERVE>("P_RESERVE"),
};

constexpr TopicSpec kRoot{
    .name = "DSKO_04",
    .fields = kFields,
    .groups = {},
    .parameters = {},
    .procedures = kProcedures,
    .run_blocks = nullptr,
    .make = &makeTopic<TB>,
};

using vexal::shared::F_IstLeerzeichen;
using vexal::shared::F_IstLinksbündig;
using vexal::shared::F_Trim;

constexpr FunctionSpec kFunctions[] = {
    byName<&F_IstErlaubteEmail>("F_IstErlaubteEmail", "wert"),
    byName<&F_IstErlaubteEmailZeichen>("F_IstErlaubteEmailZeichen", "wert"),
    byName<&F_IstLeerzeichen>("F_IstLeerzeichen", "Zeichenkette"),
    byName<&F_IstLinksbündig>(vexal::shared::kIstLinksbuendigName, "Zeichenkette"),
    byName<&TB::F_PruefeABSN>("F_PruefeABSN"),
    byName<&TB::F_PruefeABSNER>("F_PruefeABSNER"),
    byName<&TB::F_PruefeANRAP>("F_PruefeANRAP"),
    byName<&TB::F_PruefeED>("F_PruefeED"),
    byName<&TB::F_PruefeEMAILAP>("F_PruefeEMAILAP"),
    byName<&TB::F_PruefeEPNR>("F_PruefeEPNR"),
    byName<&TB::F_PruefeFAXAP>("F_PruefeFAXAP"),
    byName<&TB::F_PruefeFEAN>("F_PruefeFEAN"),
    byName<&TB::F_PruefeFEKZ>("F_PruefeFEKZ"),
    byName<&TB::F_PruefeMODID>("F_PruefeMODID"),
    byName<&TB::F_PruefeNAME1>("F_PruefeNAME1"),
    byName<&TB::F_PruefeNAME2>("F_PruefeNAME2"),
    byName<&TB::F_PruefeNAME3>("F_PruefeNAME3"),
    byName<&TB::F_PruefeNAMEAP>("F_PruefeNAMEAP"),
    byName<&TB::F_PruefeNR>("F_PruefeNR"),
    byName<&TB::F_PruefeORT>("F_PruefeORT"),
    byName<&TB::F_PruefePLZ>("F_PruefePLZ"),
    byName<&TB::F_PruefePRODID>("F_PruefePRODID"),
    byName<&TB::F_PruefeRESERVE>("F_PruefeRESERVE"),
    byName<&TB::F_PruefeSTR>("F_PruefeSTR"),
    byName<&TB::F_PruefeTELAP>("F_PruefeTELAP"),
    byName<&TB::F_PruefeVERNR>("F_PruefeVERNR"),
    byName<&TB::F_PruefeVF>("F_PruefeVF"),
    byName<&F_Trim>("F_Trim", "Zeichenkette"),
};

constexpr RecordSpec kRecord{
    .record_type = "DSKO_04",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = nullptr,
};

constexpr FieldCheckTable kChecks = makeFieldCheckTable<kRecord>();

}  // namespace

Plausi_DSKO_04::Plausi_DSKO_04() : RuleSet(kRecord, kChecks) {}

}  // namespace DSKO_04

RecordDefinition_DSKO_04::RecordDefinition_DSKO_04() {
  vexal::machinery::buildRecordLayout(*this, DSKO_04::kRecord);
}
