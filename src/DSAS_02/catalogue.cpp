// The catalogue of record type DSAS_02: the query of DSAS_01 with the
// enterprise number UNRS in the last 15 characters of RESERVE3, version
// fields that hold any characters but must be filled, and a membership
// number that may stay empty where an enterprise number is given.
// Everything else is DSAS_01's.

#include <array>

#include "DSAS_01/catalogue.h"
#include "DSAS_02/DSAS_02.h"
#include "machinery/field_check.h"
#include "machinery/record_layout.h"
#include "machinery/table_changes.h"
#include "shared/enterprise_numbers.h"

namespace DSAS_02 {
namespace {

using namespace vexal::machinery;
using namespace vexal::shared;
using namespace DSAS_01::catalogue;
using TB = TB_DSAS_02;

// Still 463 characters.
constexpr auto kFields = withChanges(
    DSAS_01::catalogue::kFields,
    replace(FieldSpec{"NEVERNR", "NEBENVERSIONS-NR", kText, 2, kMandatory}),
    replace(FieldSpec{"VERNRDSAS", "VERSIONS-NR-ZQ-AS", kText, 2, kMandatory}),
    replace(FieldSpec{"RESERVE3", "RESERVE3", kText, 85, kMandatory}),
    insertAfter("RESERVE3", FieldSpec{"UNRS", "UNTERNEHMENSNUMMER", kText, 15, kMandatory}),
    replace(FieldSpec{"MNR", "MITGLIEDSNUMMER", kText, 20, kOptional}));

// Blank version fields are refused; the reserve's limit follows its field.
constexpr auto kChecks = withChanges(
    DSAS_01::catalogue::kChecks,
    replace(
        check("P_NEVERNR", "F_PruefeNEVERNR", blank(kDSAS034), notNumeric(kDSAS034), tooLong())),
    replace(check("P_VERNRDSAS", "F_PruefeVERNRDSAS", blank(kDSAS036), notNumeric(kDSAS036),
                  tooLong())),
    insertAfter(
        "P_RESERVE3",
        check("P_UNRS", "F_PruefeUNRS", notNumeric("DSAS214 UNTERNEHMENSNUMMER nicht numerisch"),
              enterpriseNumberRefused("DSAS213 UNTERNEHMENSNUMMER Grundstellung unzul\xE4ssig",
                                      "DSAS215 UNTERNEHMENSNUMMER ist unzul\xE4ssig"))),
    replace(check("P_MNR", "F_PruefeMNR",
                  membershipOrEnterpriseNumberRefused(kDSAS210, kDSAS211, kDSAS212))));

constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

constexpr TopicSpec kRoot{
    .name = "DSAS_02",
    .fields = kFields,
    .groups = kGroups,
    .parameters = kParameters,
    .checks = kRootChecks,
    .run_blocks = blockRunner<&TB::runContactPerson>,
    .make = &makeTopic<TB>,
};

constexpr auto kOtherFunctions =
    join(kHeaderFunctions, std::array{byName<&F_GibUnrsPruefziffer>("F_GibUnrsPruefziffer", "wert"),
                                      byName<&F_IstNullen>("F_IstNullen", "Zeichenkette")});
constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();

constexpr RecordSpec kRecord{
    .record_type = "DSAS_02",
    .build_stamp = "20221017_130444",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = "ipMjahrSchalttag",
};

}  // namespace

Plausi_DSAS_02::Plausi_DSAS_02() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSAS_02

RecordDefinition_DSAS_02::RecordDefinition_DSAS_02() {
  vexal::machinery::buildRecordLayout(*this, DSAS_02::kRecord);
}
