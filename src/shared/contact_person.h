// The contact-person block "AN" of the query and wage-report record types:
// one group of 13 fields, present when the record's MMDBAP holds "J", and
// its sub-topic TB_AN with 13 check procedures. The record types that
// carry it put contactPersonGroup<&TB_X::AN>() among their groups; their
// root topic (HeaderTopic) runs it after its own procedures. NAMEAP, TELAP
// and NAME1 must not be empty once trimmed, PLZ and ORT not blank; the
// other fields are optional and only limited in length.

#ifndef VEXAL_SHARED_CONTACT_PERSON_H_
#define VEXAL_SHARED_CONTACT_PERSON_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include "machinery/catalogue.h"
#include "machinery/check_rows.h"
#include "machinery/rule_topic.h"
#include "shared/fields.h"
#include "shared/rule_steps.h"

namespace vexal::shared {

// One contact person: its rule functions are tests of the catalogue alone.
// Owned by its topic array (the prototype) or by the runtime (the
// elements); serves one check at a time. Its hf_fehlertext is its own: the
// root topic's is not touched by the block.
class TB_AN : public machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;
};

namespace contact_person_catalogue {

using namespace machinery;

// Record order; 321 characters.
inline constexpr FieldRow kFields[] = {
    fields::KE,
    {"ANRAP", "ANREDE-ANSPRECHPARTNER", kText, 1, kOptional},
    {"NAMEAP", "NAME-ANSPRECHPARTNER", kText, 30, kMandatory},
    {"TELAP", "TELEFON-ANSPRECHPARTNER", kText, 20, kMandatory},
    {"FAXAP", "FAX-ANSPRECHPARTNER", kText, 20, kOptional},
    {"EMAILAP", "EMAIL-ANSPRECHPARTNER", kText, 70, kOptional},
    {"NAME1", "NAME1", kText, 30, kMandatory},
    {"NAME2", "NAME2", kText, 30, kOptional},
    {"NAME3", "NAME3", kText, 30, kOptional},
    {"PLZ", "PLZ", kText, 10, kMandatory},
    {"ORT", "ORT", kText, 34, kMandatory},
    {"STR", "STRASSE", kText, 33, kOptional},
    {"NR", "HAUS-NR", kText, 9, kOptional},
};

inline constexpr char kDBAP030[] = "DBAP030 NAME-ANSPRECHPARTNER Grundstellung unzul\xE4ssig";
inline constexpr char kDBAP040[] = "DBAP040 TELEFON-ANSPRECHPARTNER Grundstellung unzul\xE4ssig";
inline constexpr char kDBAP050[] = "DBAP050 NAME1 Grundstellung unzul\xE4ssig";
inline constexpr char kDBAP060[] = "DBAP060 PLZ Grundstellung unzul\xE4ssig";
inline constexpr char kDBAP070[] = "DBAP070 ORT Grundstellung unzul\xE4ssig";

// The order of the block's StandardAblauf: the record order.
inline constexpr CheckRow kChecks[] = {
    check("P_KE", "F_PruefeKE", notOneOf("DBAP010 KENNUNG ungleich DBAP", "DBAP")),
    check("P_ANRAP", "F_PruefeANRAP", tooLong()),
    check("P_NAMEAP", "F_PruefeNAMEAP", emptyTrimmed(kDBAP030), tooLong()),
    check("P_TELAP", "F_PruefeTELAP", emptyTrimmed(kDBAP040), tooLong()),
    check("P_FAXAP", "F_PruefeFAXAP", tooLong()),
    check("P_EMAILAP", "F_PruefeEMAILAP", tooLong()),
    check("P_NAME1", "F_PruefeNAME1", emptyTrimmed(kDBAP050), tooLong()),
    check("P_NAME2", "F_PruefeNAME2", tooLong()),
    check("P_NAME3", "F_PruefeNAME3", tooLong()),
    check("P_PLZ", "F_PruefePLZ", blank(kDBAP060), tooLong()),
    check("P_ORT", "F_PruefeORT", blank(kDBAP070), tooLong()),
    check("P_STR", "F_PruefeSTR", tooLong()),
    check("P_NR", "F_PruefeNR", tooLong()),
};

inline constexpr auto kCompiledChecks = compileChecks<kChecks>(kFields);

}  // namespace contact_person_catalogue

inline constexpr machinery::TopicTable kContactPersonTopic{
    .name = "AN",
    .fields = contact_person_catalogue::kFields,
    .groups = {},
    .parameters = {},
    .checks = contact_person_catalogue::kCompiledChecks,
    .run_blocks = nullptr,
    .make = &machinery::makeTopic<TB_AN>,
};

// The group "AN" of a record type whose root topic keeps its topic array in
// `Member` (a pl::TopicArray<TB_AN>*): present when MMDBAP holds "J".
template <auto Member>
consteval machinery::GroupRow contactPersonGroup() {
  return {"AN", nullptr, "MMDBAP", "J", &kContactPersonTopic, &machinery::bindArray<Member>};
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_CONTACT_PERSON_H_
