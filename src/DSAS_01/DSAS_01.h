// Record type DSAS_01, the query record: a sender asks about a membership
// at an accident-insurance carrier for a reporting year, optionally with
// one contact person. Its record layout, root topic and rule set.

#ifndef VEXAL_DSAS_01_DSAS_01_H_
#define VEXAL_DSAS_01_DSAS_01_H_

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"
#include "pl/field_descriptor.h"
#include "pl/topic.h"
#include "shared/contact_person.h"

class RecordDefinition_DSAS_01 final : public RecordDefinition {
 public:
  RecordDefinition_DSAS_01();
  const char* getRecordType() const override { return "DSAS_01"; }
};

namespace DSAS_01 {

using TB_AN = vexal::shared::TB_AN;

// The root topic: the 29 fields of the record, the contact-person block and
// the rule functions of the root check procedures. Owned by its rule set;
// serves one check at a time.
class TB_DSAS_01 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  pl::Value* F_Pruefe(pl::RuntimeContext* ctx);  // the creation date ED
  pl::Value* F_PruefeABSN(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeAFGRUND(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeBBNRAS(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeBBNRLB(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeBBNRUV(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeDSID(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeEPNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFEAN(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeFEKZ(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeKENNZST(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeLFDNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMJAHR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMMDBAP(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMMFU(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMMUEB(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeMODID(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeNEVERNR(pl::RuntimeContext* ctx);
  pl::Value* F_PruefePIN(pl::RuntimeContext* ctx);
  pl::Value* F_PruefePRODID(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeRESERVE1(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeRESERVE2(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeRESERVE3(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVERNRAS(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVERNRDSAS(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVF(pl::RuntimeContext* ctx);
  pl::Value* F_PruefeVOID(pl::RuntimeContext* ctx);

  // Annex 7 with the record's reporting year; the id characters, leaving
  // the refused one in this topic's hf_fehlertext.
  pl::Value* F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr);
  pl::Value* F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert);

  // The contact-person block, after the root procedures.
  void runBlocks(pl::RuntimeContext* ctx);

  pl::Field* ABSN = nullptr;
  pl::Field* AFGRUND = nullptr;
  pl::TopicArray<TB_AN>* AN = nullptr;
  pl::Field* BBNRAS = nullptr;
  pl::Field* BBNRLB = nullptr;
  pl::Field* BBNRUV = nullptr;
  pl::Field* DSID = nullptr;
  pl::Field* ED = nullptr;
  pl::Field* EPNR = nullptr;
  pl::Field* FEAN = nullptr;
  pl::Field* FEKZ = nullptr;
  pl::Field* KE = nullptr;
  pl::Field* KENNZST = nullptr;
  pl::Field* LFDNR = nullptr;
  pl::Field* MJAHR = nullptr;
  pl::Field* MMDBAP = nullptr;
  pl::Field* MMFU = nullptr;
  pl::Field* MMUEB = nullptr;
  pl::Field* MNR = nullptr;
  pl::Field* MODID = nullptr;
  pl::Field* NEVERNR = nullptr;
  pl::Field* PIN = nullptr;
  pl::Field* PRODID = nullptr;
  pl::Field* RESERVE1 = nullptr;
  pl::Field* RESERVE2 = nullptr;
  pl::Field* RESERVE3 = nullptr;
  pl::Field* VERNRAS = nullptr;
  pl::Field* VERNRDSAS = nullptr;
  pl::Field* VF = nullptr;
  pl::Field* VOID = nullptr;

  // Set from the init parameter "ipMjahrSchalttag" before each run: the
  // switch day ("MMTT") after which the next reporting year is released.
  pl::LocalVariable* ipMjahrSchalttag = nullptr;
};

// The rule set of DSAS_01. Owns its mapping and topic tree; serves one
// check at a time, separate objects run in parallel.
class Plausi_DSAS_01 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSAS_01();
};

}  // namespace DSAS_01

#endif  // VEXAL_DSAS_01_DSAS_01_H_
