// Record type DSLN_02: its record layout, root topic and rule set.

#ifndef VEXAL_DSLN_02_DSLN_02_H_
#define VEXAL_DSLN_02_DSLN_02_H_

#if defined(VEXAL_LAYER_MACHINERY) || defined(VEXAL_LAYER_SHARED)
#error "the machinery and the shared rules do not depend on a record type"
#endif

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"

class RecordDefinition_DSLN_02 final : public RecordDefinition {
 public:
  RecordDefinition_DSLN_02();
  const char* getRecordType() const override { return "DSLN_02"; }
};

namespace DSLN_02 {

class TB_DSLN_02 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // Set from the init parameter "ipMjahrSchalttag" before each run.
  pl::LocalVariable* ipMjahrSchalttag = nullptr;
};

class Plausi_DSLN_02 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSLN_02();
};

}  // namespace DSLN_02

#endif  // VEXAL_DSLN_02_DSLN_02_H_
