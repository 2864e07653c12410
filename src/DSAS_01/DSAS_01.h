// Record type DSAS_01, the query record: a sender asks about a membership
// at an accident-insurance carrier for a reporting year, optionally with
// one contact person. Its record layout, root topic and rule set.

#ifndef VEXAL_DSAS_01_DSAS_01_H_
#define VEXAL_DSAS_01_DSAS_01_H_

#include "machinery/record_type_classes.h"
#include "shared/header_topic.h"

namespace DSAS_01 {

using TB_AN = vexal::shared::TB_AN;

// The root topic: the 29 fields of the record and the contact-person block.
// Every check is a row of the catalogue. Owned by its rule set; serves one
// check at a time.
class TB_DSAS_01 : public vexal::shared::HeaderTopic {
 public:
  using HeaderTopic::HeaderTopic;
};

}  // namespace DSAS_01

// RecordDefinition_DSAS_01 and DSAS_01::Plausi_DSAS_01.
VEXAL_DECLARE_RECORD_TYPE(DSAS_01)

#endif  // VEXAL_DSAS_01_DSAS_01_H_
