// Record type DSKO_04: its record layout, root topic and rule set.

#ifndef VEXAL_DSKO_04_DSKO_04_H_
#define VEXAL_DSKO_04_DSKO_04_H_

#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"

class RecordDefinition_DSKO_04 final : public RecordDefinition {
 public:
  RecordDefinition_DSKO_04();
  const char* getRecordType() const override { return "DSKO_04"; }
};

namespace DSKO_04 {

class TB_DSKO_04 : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;
};

class Plausi_DSKO_04 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSKO_04();
};

}  // namespace DSKO_04

#endif  // VEXAL_DSKO_04_DSKO_04_H_
