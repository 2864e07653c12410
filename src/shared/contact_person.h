// The contact-person block "AN" of the query and wage-report record types:
// one group of 13 fields, present when the record's MMDBAP holds "J", and
// its sub-topic TB_AN with 13 check procedures. The record types that
// carry it put contactPersonGroup<&TB_X::AN>() among their groups and run
// it with runContactPerson() from their root topic's StandardAblauf.

#ifndef VEXAL_SHARED_CONTACT_PERSON_H_
#define VEXAL_SHARED_CONTACT_PERSON_H_

#include "machinery/catalogue.h"
#include "machinery/rule_topic.h"
#include "pl/field_descriptor.h"
#include "pl/topic.h"

namespace vexal::shared {

// One contact person. Owned by its topic array (the prototype) or by the
// runtime (the elements); serves one check at a time. Its hf_fehlertext
// is its own: the root topic's is not touched by the block.
class TB_AN : public machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  pl::Value* F_PruefeANRAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeEMAILAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFAXAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeKE(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME1(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME2(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME3(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAMEAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeORT(pl::RuntimeContext* ctx);
  pl::Value* F_PruefePLZ(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeSTR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeTELAP(pl::RuntimeContext* ctx);

  pl::Field* ANRAP = nullptr;
  pl::Field* EMAILAP = nullptr;
  pl::Field* FAXAP = nullptr;
  pl::Field* KE = nullptr;
  pl::Field* NAME1 = nullptr;
  pl::Field* NAME2 = nullptr;
  pl::Field* NAME3 = nullptr;
  pl::Field* NAMEAP = nullptr;
  pl::Field* NR = nullptr;
  pl::Field* ORT = nullptr;
  pl::Field* PLZ = nullptr;
  pl::Field* STR = nullptr;
  pl::Field* TELAP = nullptr;
};

namespace contact_person_catalogue {

using machinery::FieldSpec;
using machinery::kMandatory;
using machinery::kOptional;
using machinery::kText;
using machinery::procedure;

// Record order; 321 characters.
inline constexpr FieldSpec kFields[] = {
    {"KE", "KENNUNG", kText, 4, kMandatory, &TB_AN::KE},
    {"ANRAP", "ANREDE-ANSPRECHPARTNER", kText, 1, kOptional, &TB_AN::ANRAP},
    {"NAMEAP", "NAME-ANSPRECHPARTNER", kText, 30, kMandatory, &TB_AN::NAMEAP},
    {"TELAP", "TELEFON-ANSPRECHPARTNER", kText, 20, kMandatory, &TB_AN::TELAP},
    {"FAXAP", "FAX-ANSPRECHPARTNER", kText, 20, kOptional, &TB_AN::FAXAP},
    {"EMAILAP", "EMAIL-ANSPRECHPARTNER", kText, 70, kOptional, &TB_AN::EMAILAP},
    {"NAME1", "NAME1", kText, 30, kMandatory, &TB_AN::NAME1},
    {"NAME2", "NAME2", kText, 30, kOptional, &TB_AN::NAME2},
    {"NAME3", "NAME3", kText, 30, kOptional, &TB_AN::NAME3},
    {"PLZ", "PLZ", kText, 10, kMandatory, &TB_AN::PLZ},
    {"ORT", "ORT", kText, 34, kMandatory, &TB_AN::ORT},
    {"STR", "STRASSE", kText, 33, kOptional, &TB_AN::STR},
    {"NR", "HAUS-NR", kText, 9, kOptional, &TB_AN::NR},
};

// The order of the block's StandardAblauf: the record order.
inline constexpr machinery::ProcedureSpec kProcedures[] = {
    procedure<&TB_AN::F_PruefeKE>("P_KE"),         procedure<&TB_AN::F_PruefeANRAP>("P_ANRAP"),
    procedure<&TB_AN::F_PruefeNAMEAP>("P_NAMEAP"), procedure<&TB_AN::F_PruefeTELAP>("P_TELAP"),
    procedure<&TB_AN::F_PruefeFAXAP>("P_FAXAP"),   procedure<&TB_AN::F_PruefeEMAILAP>("P_EMAILAP"),
    procedure<&TB_AN::F_PruefeNAME1>("P_NAME1"),   procedure<&TB_AN::F_PruefeNAME2>("P_NAME2"),
    procedure<&TB_AN::F_PruefeNAME3>("P_NAME3"),   procedure<&TB_AN::F_PruefePLZ>("P_PLZ"),
    procedure<&TB_AN::F_PruefeORT>("P_ORT"),       procedure<&TB_AN::F_PruefeSTR>("P_STR"),
    procedure<&TB_AN::F_PruefeNR>("P_NR"),
};

}  // namespace contact_person_catalogue

inline constexpr machinery::TopicSpec kContactPersonTopic{
    .name = "AN",
    .fields = contact_person_catalogue::kFields,
    .groups = {},
    .parameters = {},
    .procedures = contact_person_catalogue::kProcedures,
    .run_blocks = nullptr,
    .make = &machinery::makeTopic<TB_AN>,
};

// The group "AN" of a record type whose root topic keeps its topic array in
// `Member` (a pl::TopicArray<TB_AN>*): present when MMDBAP holds "J".
template <auto Member>
consteval machinery::GroupSpec contactPersonGroup() {
  return {"AN", nullptr, "MMDBAP", "J", &kContactPersonTopic, &machinery::bindArray<Member>};
}

// Runs the block's StandardAblauf when MMDBAP holds "J" and the record
// holds the group exactly once.
void runContactPerson(pl::RuntimeContext* ctx, pl::Field* MMDBAP, pl::TopicArray<TB_AN>* AN);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_CONTACT_PERSON_H_
