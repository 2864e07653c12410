// Record type DSAS_01: its record layout, root topic and rule set.

#ifndef VEXAL_DSAS_01_DSAS_01_H_
#define VEXAL_DSAS_01_DSAS_01_H_

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"

class RecordDefinition_DSAS_01 final : public RecordDefinition {
 public:
  RecordDefinition_DSAS_01();
  const char* getRecordType() const override { return "DSAS_01"; }
};

namespace DSAS_01 {

class TB_DSAS_01 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // Set from the init parameter "ipMjahrSchalttag" before each run.
  pl::LocalVariable* ipMjahrSchalttag = nullptr;
};

class Plausi_DSAS_01 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSAS_01();
};

}  // namespace DSAS_01

#endif  // VEXAL_DSAS_01_DSAS_01_H_
