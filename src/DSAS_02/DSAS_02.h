// Record type DSAS_02, the second version of the query record: DSAS_01's
// query with the enterprise number UNRS. Its record layout, root topic and
// rule set.

#ifndef VEXAL_DSAS_02_DSAS_02_H_
#define VEXAL_DSAS_02_DSAS_02_H_

#if defined(VEXAL_LAYER_MACHINERY) || defined(VEXAL_LAYER_SHARED)
#error "the machinery and the shared rules do not depend on a record type"
#endif

#include "machinery/rule_set.h"
#include "model/record_definition.h"
#include "shared/header_topic.h"

class RecordDefinition_DSAS_02 final : public RecordDefinition {
 public:
  RecordDefinition_DSAS_02();
  const char* getRecordType() const override { return "DSAS_02"; }
};

namespace DSAS_02 {

using TB_AN = vexal::shared::TB_AN;

// The root topic: the 30 fields of the record and the contact-person block.
// Every check is a row of the catalogue. Owned by its rule set; serves one
// check at a time.
class TB_DSAS_02 : public vexal::shared::HeaderTopic {
 public:
  using HeaderTopic::HeaderTopic;
};

// The rule set of DSAS_02. Owns its mapping and topic tree; serves one
// check at a time, separate objects run in parallel.
class Plausi_DSAS_02 final : public vexal::machinery::RuleSet {
 public:
  Plausi_DSAS_02();
};

}  // namespace DSAS_02

#endif  // VEXAL_DSAS_02_DSAS_02_H_
