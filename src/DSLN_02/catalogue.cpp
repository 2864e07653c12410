// The catalogue of record type DSLN_02: the wage report of DSLN_01 with the
// enterprise number UNRS and the reporting period ZRVON to ZRBIS in place
// of the end of RESERVE3, version fields that hold any characters but must
// be filled, six report reasons, a membership number that an enterprise
// number may stand for, and working hours of a tariff position that must be
// filled. Everything else is DSLN_01's.

#include <array>

#include "DSLN_01/catalogue.h"
#include "DSLN_02/DSLN_02.h"
#include "machinery/record_type.h"
#include "machinery/table_changes.h"
#include "shared/enterprise_numbers.h"
#include "shared/fields.h"

namespace DSLN_02::catalogue {

using namespace vexal::machinery;
using namespace vexal::shared;
using namespace DSLN_01::catalogue;
using TB = TB_DSLN_02;

constexpr auto kUvFields =
    withChanges(DSLN_01::catalogue::kUvFields,
                replace(FieldRow{"ARBSTDSUMM", "ARBSTD-SUMME", kText, 15, kMandatory}));

constexpr char kDSLN290[] = "DSLN290 ARBSTD-SUMME nicht numerisch";

constexpr auto kUvChecks =
    withChanges(DSLN_01::catalogue::kUvChecks,
                replace(check("P_ARBSTDSUMM", "F_PruefeARBSTDSUMM", blank(kDSLN290),
                              notNumeric(kDSLN290), tooLong())));
constexpr auto kUvCompiled = compileChecks<kUvChecks>(kUvFields);

constexpr TopicTable kUvTopic{
    .name = "UV",
    .fields = kUvFields,
    .parameters = kUvParameters,
    .checks = kUvCompiled,
    .make = &makeTopic<TB_UV>,
};

// Still 494 characters, then the groups.
constexpr auto kFields =
    withChanges(DSLN_01::catalogue::kFields, replace(fields::v02::NEVERNR),
                replace(FieldRow{"VERNRDSLN", "VERSIONS-NR-ZQ-LN", kText, 2, kMandatory}),
                replace(FieldRow{"RESERVE3", "RESERVE3", kText, 69, kMandatory}),
                insertAfter("RESERVE3", fields::v02::UNRS),
                insertAfter("UNRS", FieldRow{"ZRVON", "ZEITRAUM-VON", kText, 8, kOptional}),
                insertAfter("ZRVON", FieldRow{"ZRBIS", "ZEITRAUM-BIS", kText, 8, kOptional}),
                replace(fields::v02::MNR));

constexpr GroupRow kGroups[] = {
    {"UV", "ANUV", nullptr, nullptr, &kUvTopic, &bindArray<&TB::UV>},
    contactPersonGroup<&TB::AN>(),
};

constexpr char kDSLN034[] = "DSLN034 NEBENVERSIONS-NR ist nicht numerisch";
constexpr char kDSLN036[] = "DSLN036 VERSIONS-NR-ZQ-LN ist nicht numerisch";

// The enterprise number and the reporting period come after RESERVE3, whose
// limit follows its field; blank version fields are refused.
constexpr auto kChecks = withChanges(
    DSLN_01::catalogue::kChecks,
    insertAfter(
        "P_RESERVE3",
        check("P_UNRS", "F_PruefeUNRS", notNumeric("DSLN214 UNTERNEHMENSNUMMER nicht numerisch"),
              enterpriseNumberRefused("DSLN213 UNTERNEHMENSNUMMER Grundstellung unzul\xE4ssig",
                                      "DSLN215 UNTERNEHMENSNUMMER ist unzul\xE4ssig"))),
    insertAfter("P_UNRS",
                check("P_ZRVON", "F_PruefeZRVON",
                      body<&TB::reportingPeriod>("DSLN203 ZEITRAUM-VON nicht numerisch",
                                                 "DSLN204 ZEITRAUM-VON Grundstellung unzul\xE4ssig",
                                                 "DSLN203 ZEITRAUM-VON logisch falsch",
                                                 "DSLN205 ZEITRAUM-VON unzul\xE4ssig"))),
    insertAfter("P_ZRVON",
                check("P_ZRBIS", "F_PruefeZRBIS",
                      body<&TB::reportingPeriod>("DSLN206 ZEITRAUM-BIS nicht numerisch",
                                                 "DSLN207 ZEITRAUM-BIS Grundstellung unzul\xE4ssig",
                                                 "DSLN206 ZEITRAUM-BIS logisch falsch",
                                                 "DSLN208 ZEITRAUM-BIS unzul\xE4ssig"))),
    replace(check(
        "P_MNR", "F_PruefeMNR",
        membershipOrEnterpriseNumberRefused("DSLN210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig",
                                            "DSLN211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER",
                                            "DSLN212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER"))),
    replace(check("P_MDGRUND", "F_PruefeMDGRUND",
                  notOneOf("DSLN250 MELDEGRUND unzul\xE4ssig", "UV01", "UV03", "UV05", "UV06",
                           "UV07", "UV08"))),
    replace(
        check("P_NEVERNR", "F_PruefeNEVERNR", blank(kDSLN034), notNumeric(kDSLN034), tooLong())),
    replace(check("P_VERNRDSLN", "F_PruefeVERNRDSLN", blank(kDSLN036), notNumeric(kDSLN036),
                  tooLong())));

constexpr auto kRootChecks = compileChecks<kChecks>(kFields);

constexpr auto kFunctionsOfVersion2 = join(
    kOtherFunctions, std::array{byName<&F_GibUnrsPruefziffer>("F_GibUnrsPruefziffer", "wert"),
                                byName<&F_IstNullen>("F_IstNullen", "Zeichenkette"),
                                byName<&TB::F_IstUNRSGrundstellung>("F_IstUNRSGrundstellung")});
constexpr auto kFunctions = byNameTable<kRootChecks, kFunctionsOfVersion2>();

constexpr RecordCatalogue kRecord =
    headerRecord<TB>("DSLN_02", "20221017_130443", kFields, kGroups, kRootChecks, kFunctions);

}  // namespace DSLN_02::catalogue

VEXAL_DEFINE_RECORD_TYPE(DSLN_02)
