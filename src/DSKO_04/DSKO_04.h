// Record type DSKO_04, the sender's communication record: its record
// layout, root topic and rule set.

#ifndef VEXAL_DSKO_04_DSKO_04_H_
#define VEXAL_DSKO_04_DSKO_04_H_

#if defined(VEXAL_LAYER_MACHINERY) || defined(VEXAL_LAYER_SHARED)
#error "the machinery and the shared rules do not depend on a record type"
#endif

#include "machinery/rule_function.h"
#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"
#include "pl/field_descriptor.h"

class RecordDefinition_DSKO_04 final : public RecordDefinition {
 public:
  RecordDefinition_DSKO_04();
  const char* getRecordType() const override { return "DSKO_04"; }
};

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

// The rule set of DSKO_04. Owns its mapping and topic tree; serves one
// check at a time, separate objects run in parallel.
class Plausi_DSKO_04 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSKO_04();
};

}  // namespace DSKO_04

#endif  // VEXAL_DSKO_04_DSKO_04_H_
