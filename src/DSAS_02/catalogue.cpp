// The catalogue of record type DSAS_02: the query of DSAS_01 with the
// enterprise number UNRS in the last 15 characters of RESERVE3, version
// fields that hold any characters but must be filled, and a membership
// number that may stay empty where an enterprise number is given.
// Everything else is DSAS_01's.

#include <array>

#include "DSAS_01/catalogue.h"
#include "DSAS_02/DSAS_02.h"
#include "machinery/record_type.h"
#include "machinery/table_changes.h"
#include "shared/enterprise_numbers.h"
#include "shared/fields.h"

namespace DSAS_02::catalogue {

using namespace vexal::machinery;
using namespace vexal::shared;
using TB = TB_DSAS_02;

// Still 463 characters.
constexpr auto kFields =
    withChanges(DSAS_01::catalogue::kFields, replace(fields::v02::NEVERNR),
                replace(FieldRow{"VERNRDSAS", "VERSIONS-NR-ZQ-AS", kText, 2, kMandatory}),
                replace(FieldRow{"RESERVE3", "RESERVE3", kText, 85, kMandatory}),
                insertAfter("RESERVE3", fields::v02::UNRS), replace(fields::v02::MNR));

// Blank version fields are refused; the reserve's limit follows its field.
constexpr char kDSAS034[] = "DSAS034 NEBENVERSIONS-NR ist nicht numerisch";
constexpr char kDSAS036[] = "DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch";

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
    replace(check(
        "P_MNR", "F_PruefeMNR",
        membershipOrEnterpriseNumberRefused("DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig",
                                            "DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER",
                                            "DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER"))));

constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

constexpr auto kOtherFunctions =
    join(kHeaderFunctions, std::array{byName<&F_GibUnrsPruefziffer>("F_GibUnrsPruefziffer", "wert"),
                                      byName<&F_IstNullen>("F_IstNullen", "Zeichenkette")});
constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();

constexpr RecordCatalogue kRecord = headerRecord<TB>(
    "DSAS_02", "20221017_130444", kFields, DSAS_01::catalogue::kGroups, kRootChecks, kFunctions);

}  // namespace DSAS_02::catalogue

VEXAL_DEFINE_RECORD_TYPE(DSAS_02)
