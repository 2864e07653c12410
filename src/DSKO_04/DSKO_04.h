// Record type DSKO_04, the sender's communication record: its record
// layout, root topic and rule set.

#ifndef VEXAL_DSKO_04_DSKO_04_H_
#define VEXAL_DSKO_04_DSKO_04_H_

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

// The root topic: the 24 fields of the record and the rule functions of its
// check procedures. Owned by its rule set; serves one check at a time.
class TB_DSKO_04 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  pl::Value* F_PruefeABSN(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeABSNER(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeANRAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeED(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeEMAILAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeEPNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFAXAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFEAN(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFEKZ(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMODID(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME1(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME2(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAME3(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNAMEAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeORT(pl::RuntimeContext* ctx);
  pl::Value* F_PruefePLZ(pl::RuntimeContext* ctx);
  pl::Value* F_PruefePRODID(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeRESERVE(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeSTR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeTELAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVERNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVF(pl::RuntimeContext* ctx);

  pl::Field* ABSN = nullptr;
  pl::Field* ABSNER = nullptr;
  pl::Field* ANRAP = nullptr;
  pl::Field* ED = nullptr;
  pl::Field* EMAILAP = nullptr;
  pl::Field* EPNR = nullptr;
  pl::Field* FAXAP = nullptr;
  pl::Field* FEAN = nullptr;
  pl::Field* FEKZ = nullptr;
  pl::Field* KE = nullptr;
  pl::Field* MODID = nullptr;
  pl::Field* NAME1 = nullptr;
  pl::Field* NAME2 = nullptr;
  pl::Field* NAME3 = nullptr;
  pl::Field* NAMEAP = nullptr;
  pl::Field* NR = nullptr;
  pl::Field* ORT = nullptr;
  pl::Field* PLZ = nullptr;
  pl::Field* PRODID = nullptr;
  pl::Field* RESERVE = nullptr;
  pl::Field* STR = nullptr;
  pl::Field* TELAP = nullptr;
  pl::Field* VERNR = nullptr;
  pl::Field* VF = nullptr;
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
