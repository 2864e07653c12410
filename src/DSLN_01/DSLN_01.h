// Record type DSLN_01: its record layout, root topic and rule set.

#ifndef VEXAL_DSLN_01_DSLN_01_H_
#define VEXAL_DSLN_01_DSLN_01_H_

#if defined(VEXAL_LAYER_MACHINERY) || defined(VEXAL_LAYER_SHARED)
#error "the machinery and the shared rules do not depend on a record type"
#endif

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"

class RecordDefinition_DSLN_01 final : public RecordDefinition {
 public:
  RecordDefinition_DSLN_01();
  const char* getRecordType() const override { return "DSLN_01"; }
};

namespace DSLN_01 {

class TB_DSLN_01 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // Set from the init parameter "ipMjahrSchalttag" before each run.
  pl::LocalVariable* ipMjahrSchalttag = nullptr;
};

class Plausi_DSLN_01 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSLN_01();
};

}  // namespace DSLN_01

#endif  // VEXAL_DSLN_01_DSLN_01_H_
