// Record type DSKO_04, the sender's communication record: its record
// layout, root topic and rule set.

#ifndef VEXAL_DSKO_04_DSKO_04_H_
#define VEXAL_DSKO_04_DSKO_04_H_

#include <string_view>

#include "machinery/record_type_classes.h"
#include "pl/field_descriptor.h"

namespace DSKO_04 {

using vexal::machinery::RuleCall;

// The root topic: the 24 fields of the record and the rule bodies of its own
// that the catalogue's rows name. Owned by its rule set; serves one check at
// a time.
class TB_DSKO_04 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // The creation time stamp ED.
  void F_PruefeED(RuleCall& rule);
  // The address the protocols go to, EMAILAP.
  void F_PruefeEMAILAP(RuleCall& rule);
  // FEAN other than "0" while FEKZ is "0".
  void errorCountWithoutErrorFlag(RuleCall& rule);

  pl::Field* FEKZ = nullptr;

 protected:
  void bindFields() override { FEKZ = field("FEKZ"); }
};

// The e-mail address tests of EMAILAP (parameter "wert").
pl::Value* F_IstErlaubteEmailZeichen(pl::RuntimeContext* ctx, pl::Value* wert);
pl::Value* F_IstErlaubteEmail(pl::RuntimeContext* ctx, pl::Value* wert);

// What the two answer of a text, found in one pass over it.
struct EmailAnswers {
  bool characters_allowed;  // F_IstErlaubteEmailZeichen
  bool one_inner_at_sign;   // F_IstErlaubteEmail
};
EmailAnswers emailAnswers(std::string_view text);

}  // namespace DSKO_04

// RecordDefinition_DSKO_04 and DSKO_04::Plausi_DSKO_04.
VEXAL_DECLARE_RECORD_TYPE(DSKO_04)

#endif  // VEXAL_DSKO_04_DSKO_04_H_
