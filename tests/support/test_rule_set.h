// A small rule set for the machinery tests: record type "TST_01" with five
// root fields, a counted block POS (counter ANZ) and a conditional block
// ZUS (present when FLAG is "J").
//
// Layout: KE(4) NUM(2, numeric) OPT(3, optional) FLAG(1) ANZ(1, numeric),
// then ANZ times POS: KE(4) BETRAG(5, numeric) TEXT(2, optional), then ZUS:
// KE(4, optional) INFO(3).
//
// Rules: P_NUM (TST010 missing, TST011 not numeric, TST012 "99"); P_OPT
// throws on purpose for OPT "EXC" (PlausiException), "STD" (a foreign
// exception) and "PTR" (a PlausiException thrown as pointer); P_FLAG has
// its own condition and the fixed text TST020; POS runs P_BETRAG (TST030
// not numeric, TST031 greater than the root's NUM, which each element gets
// as parameter); ZUS runs P_INFO (TST040 for "BAD"), and INFO "THR" makes
// its own block step throw. OPT "BLK" makes the root's block step fail with
// an element-access exception.

#ifndef VEXAL_TESTS_SUPPORT_TEST_RULE_SET_H_
#define VEXAL_TESTS_SUPPORT_TEST_RULE_SET_H_

#include "machinery/rule_function.h"
#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"
#include "pl/topic.h"

namespace tst {

class TB_POS : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;
  void setParameters(pl::RuntimeContext* ctx, pl::Value* num);
  void F_PruefeBETRAG(vexal::machinery::RuleCall& rule);

  pl::Field* BETRAG = nullptr;
  pl::LocalVariable* num = nullptr;

 protected:
  void bindFields() override { BETRAG = field("BETRAG"); }
};

class TB_ZUS : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;
  void F_PruefeINFO(vexal::machinery::RuleCall& rule);
  void runBlocks(pl::RuntimeContext* ctx);

  pl::Field* INFO = nullptr;

 protected:
  void bindFields() override { INFO = field("INFO"); }
};

class TB_TST_01 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;
  void F_PruefeNUM(vexal::machinery::RuleCall& rule);
  void F_PruefeOPT(vexal::machinery::RuleCall& rule);
  bool flagFailed(pl::RuntimeContext* ctx);
  pl::Value* F_Join(pl::RuntimeContext* ctx, pl::Value* links, pl::Value* rechts);
  void runBlocks(pl::RuntimeContext* ctx);

  pl::Field* FLAG = nullptr;
  pl::Field* NUM = nullptr;
  pl::Field* OPT = nullptr;
  pl::TopicArray<TB_POS>* POS = nullptr;
  pl::TopicArray<TB_ZUS>* ZUS = nullptr;
  pl::LocalVariable* schalttag = nullptr;

 protected:
  void bindFields() override {
    FLAG = field("FLAG");
    NUM = field("NUM");
    OPT = field("OPT");
  }
};

class Plausi_TST_01 final : public vexal::machinery::RuleSet {
 public:
  Plausi_TST_01();
  TB_TST_01* root() const { return static_cast<TB_TST_01*>(rootTopic); }
};

class RecordDefinition_TST_01 final : public RecordDefinition {
 public:
  RecordDefinition_TST_01();
  const char* getRecordType() const override { return "TST_01"; }
};

}  // namespace tst

#endif  // VEXAL_TESTS_SUPPORT_TEST_RULE_SET_H_
