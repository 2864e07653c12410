// The catalogue of record type DSAS_01: 29 fields and the contact-person
// group, 28 root check procedures and the rule functions callable by name.

#include "DSAS_01/DSAS_01.h"
#include "machinery/by_name.h"
#include "machinery/field_check.h"
#include "machinery/record_layout.h"
#include "shared/carrier_numbers.h"
#include "shared/company_numbers.h"
#include "shared/text_functions.h"

namespace DSAS_01 {
namespace {

using namespace vexal::machinery;
using namespace vexal::shared;
using TB = TB_DSAS_01;

// Record order; 463 characters, then the group.
constexpr FieldSpec kFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory, &TB::KE},
    {"VF", "VERFAHREN", kText, 5, kMandatory, &TB::VF},
    {"ABSN", "ABSENDER-NUMMER", kText, 15, kMandatory, &TB::ABSN},
    {"EPNR", "EMPFAENGER-NUMMER", kText, 15, kMandatory, &TB::EPNR},
    {"VERNRAS", "VERSIONS-NR-AS", kNum, 2, kMandatory, &TB::VERNRAS},
    {"NEVERNR", "NEBENVERSIONS-NR", kNum, 2, kOptional, &TB::NEVERNR},
    {"VERNRDSAS", "VERSIONS-NR-ZQ-AS", kNum, 2, kOptional, &TB::VERNRDSAS},
    {"ED", "DATUM-ERSTELLUNG", kText, 20, kMandatory, &TB::ED},
    {"MMFU", "MM-FUV-DATEN", kText, 1, kMandatory, &TB::MMFU},
    {"FEKZ", "FEHLER-KENNZ", kNum, 1, kMandatory, &TB::FEKZ},
    {"FEAN", "FEHLER-ANZAHL", kNum, 1, kMandatory, &TB::FEAN},
    {"RESERVE1", "RESERVE1", kText, 100, kOptional, &TB::RESERVE1},
    {"PRODID", "PRODUKT-IDENTIFIER", kText, 7, kMandatory, &TB::PRODID},
    {"MODID", "MODIFIKATIONS-IDENTIFIER", kText, 8, kMandatory, &TB::MODID},
    {"DSID", "DATENSATZ-ID", kText, 32, kMandatory, &TB::DSID},
    {"VOID", "VORGANGS-ID", kText, 32, kMandatory, &TB::VOID},
    {"KENNZST", "KENNZ-STORNO", kText, 1, kMandatory, &TB::KENNZST},
    {"RESERVE2", "RESERVE2", kText, 32, kOptional, &TB::RESERVE2},
    {"MMUEB", "MM-UEBERMITTLUNG", kNum, 1, kMandatory, &TB::MMUEB},
    {"RESERVE3", "RESERVE3", kText, 100, kOptional, &TB::RESERVE3},
    {"BBNRUV", "BBNR-UV", kText, 15, kMandatory, &TB::BBNRUV},
    {"MNR", "MITGLIEDSNUMMER", kText, 20, kMandatory, &TB::MNR},
    {"PIN", "MNR-PIN", kNum, 5, kMandatory, &TB::PIN},
    {"LFDNR", "LAUFENDE-NUMMER", kNum, 3, kMandatory, &TB::LFDNR},
    {"MJAHR", "MELDEJAHR", kNum, 4, kMandatory, &TB::MJAHR},
    {"BBNRLB", "BBNR-LB", kText, 15, kMandatory, &TB::BBNRLB},
    {"BBNRAS", "BBNR-ABRECHNUNGS-STELLE", kText, 15, kMandatory, &TB::BBNRAS},
    {"MMDBAP", "MM-DBANSPRECHPARTNER", kText, 1, kMandatory, &TB::MMDBAP},
    {"AFGRUND", "ABFRAGEGRUND", kText, 4, kMandatory, &TB::AFGRUND},
};

constexpr GroupSpec kGroups[] = {contactPersonGroup<&TB::AN>()};

constexpr VariableMember kParameters[] = {variable<&TB::ipMjahrSchalttag>};

// The order of StandardAblauf: the layout order without KE.
constexpr ProcedureSpec kProcedures[] = {
    procedure<&TB::F_PruefeVF>("P_VF"),
    procedure<&TB::F_PruefeABSN>("P_ABSN"),
    procedure<&TB::F_PruefeEPNR>("P_EPNR"),
    procedure<&TB::F_PruefeVERNRAS>("P_VERNRAS"),
    procedure<&TB::F_PruefeNEVERNR>("P_NEVERNR"),
    procedure<&TB::F_PruefeVERNRDSAS>("P_VERNRDSAS"),
    procedure<&TB::F_Pruefe>("P_ED"),
    procedure<&TB::F_PruefeMMFU>("P_MMFU"),
    procedure<&TB::F_PruefeFEKZ>("P_FEKZ"),
    procedure<&TB::F_PruefeFEAN>("P_FEAN"),
    procedure<&TB::F_PruefeRESERVE1>("P_RESERVE1"),
    procedure<&TB::F_PruefePRODID>("P_PRODID"),
    procedure<&TB::F_PruefeMODID>("P_MODID"),
    procedure<&TB::F_PruefeDSID>("P_DSID"),
    procedure<&TB::F_PruefeVOID>("P_VOID"),
    procedure<&TB::F_PruefeKENNZST>("P_KENNZST"),
    procedure<&TB::F_PruefeRESERVE2>("P_RESERVE2"),
    procedure<&TB::F_PruefeMMUEB>("P_MMUEB"),
    procedure<&TB::F_PruefeRESERVE3>("P_RESERVE3"),
    procedure<&TB::F_PruefeBBNRUV>("P_BBNRUV"),
    procedure<&TB::F_PruefeMNR>("P_MNR"),
    procedure<&TB::F_PruefePIN>("P_PIN"),
    procedure<&TB::F_PruefeLFDNR>("P_LFDNR"),
    procedure<&TB::F_PruefeMJAHR>("P_MJAHR"),
    procedure<&TB::F_PruefeBBNRLB>("P_BBNRLB"),
    procedure<&TB::F_PruefeBBNRAS>("P_BBNRAS"),
    procedure<&TB::F_PruefeMMDBAP>("P_MMDBAP"),
    procedure<&TB::F_PruefeAFGRUND>("P_AFGRUND"),
};

constexpr TopicSpec kRoot{
    .name = "DSAS_01",
    .fields = kFields,
    .groups = kGroups,
    .parameters = kParameters,
    .procedures = kProcedures,
    .run_blocks = blockRunner<&TB::runBlocks>,
    .make = &makeTopic<TB>,
};

constexpr FunctionSpec kFunctions[] = {
    byName<&F_GibBbnrPruefziffer>("F_GibBbnrPruefziffer", "wert"),
    byName<&F_GibZulaessigeMNRLaenge>("F_GibZulaessigeMNRLaenge", "uvtraeger", "mnrLaenge"),
    byName<&F_IstBbnrAnlage20>("F_IstBbnrAnlage20", "wert"),
    byName<&TB::F_IstBbnrAnlage7>("F_IstBbnrAnlage7", "paramBbnr"),
    byName<&TB::F_IstDsIdVoIdKonform>("F_IstDsIdVoIdKonform", "wert"),
    byName<&F_IstLeerzeichen>("F_IstLeerzeichen", "Zeichenkette"),
    byName<&F_IstLinksbündig>(kIstLinksbuendigName, "Zeichenkette"),
    byName<&F_IstMNRZeichenZulaessig>("F_IstMNRZeichenZulaessig", "uvtraeger", "mnr"),
    byName<&F_IstMjahrFreigeschaltet>("F_IstMjahrFreigeschaltet", "paramMeldejahr",
                                      "paramSchalttag"),
    byName<&TB::F_Pruefe>("F_Pruefe"),
    byName<&TB::F_PruefeABSN>("F_PruefeABSN"),
    byName<&TB::F_PruefeAFGRUND>("F_PruefeAFGRUND"),
    byName<&TB::F_PruefeBBNRAS>("F_PruefeBBNRAS"),
    byName<&TB::F_PruefeBBNRLB>("F_PruefeBBNRLB"),
    byName<&TB::F_PruefeBBNRUV>("F_PruefeBBNRUV"),
    byName<&F_PruefeBetriebsnummer>("F_PruefeBetriebsnummer", "bbnr"),
    byName<&TB::F_PruefeDSID>("F_PruefeDSID"),
    byName<&TB::F_PruefeEPNR>("F_PruefeEPNR"),
    byName<&TB::F_PruefeFEAN>("F_PruefeFEAN"),
    byName<&TB::F_PruefeFEKZ>("F_PruefeFEKZ"),
    byName<&F_PruefeGesonderteBetriebsnummer>("F_PruefeGesonderteBetriebsnummer", "bbnr"),
    byName<&TB::F_PruefeKENNZST>("F_PruefeKENNZST"),
    byName<&TB::F_PruefeLFDNR>("F_PruefeLFDNR"),
    byName<&TB::F_PruefeMJAHR>("F_PruefeMJAHR"),
    byName<&TB::F_PruefeMMDBAP>("F_PruefeMMDBAP"),
    byName<&TB::F_PruefeMMFU>("F_PruefeMMFU"),
    byName<&TB::F_PruefeMMUEB>("F_PruefeMMUEB"),
    byName<&TB::F_PruefeMNR>("F_PruefeMNR"),
    byName<&TB::F_PruefeMODID>("F_PruefeMODID"),
    byName<&TB::F_PruefeNEVERNR>("F_PruefeNEVERNR"),
    byName<&TB::F_PruefePIN>("F_PruefePIN"),
    byName<&TB::F_PruefePRODID>("F_PruefePRODID"),
    byName<&TB::F_PruefeRESERVE1>("F_PruefeRESERVE1"),
    byName<&TB::F_PruefeRESERVE2>("F_PruefeRESERVE2"),
    byName<&TB::F_PruefeRESERVE3>("F_PruefeRESERVE3"),
    byName<&TB::F_PruefeVERNRAS>("F_PruefeVERNRAS"),
    byName<&TB::F_PruefeVERNRDSAS>("F_PruefeVERNRDSAS"),
    byName<&TB::F_PruefeVF>("F_PruefeVF"),
    byName<&TB::F_PruefeVOID>("F_PruefeVOID"),
    byName<&F_Trim>("F_Trim", "Zeichenkette"),
};

constexpr RecordSpec kRecord{
    .record_type = "DSAS_01",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = "ipMjahrSchalttag",
};

constexpr FieldCheckTable kChecks = makeFieldCheckTable<kRecord>();

}  // namespace

Plausi_DSAS_01::Plausi_DSAS_01() : RuleSet(kRecord, kChecks) {}

}  // namespace DSAS_01

RecordDefinition_DSAS_01::RecordDefinition_DSAS_01() {
  vexal::machinery::buildRecordLayout(*this, DSAS_01::kRecord);
}
