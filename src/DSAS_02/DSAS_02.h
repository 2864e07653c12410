// Record type DSAS_02, the second version of the query record: DSAS_01's
// query with the enterprise number UNRS. Its record layout, root topic and
// rule set.

#ifndef VEXAL_DSAS_02_DSAS_02_H_
#define VEXAL_DSAS_02_DSAS_02_H_

#include "DSAS_01/DSAS_01.h"
#include "machinery/record_type_classes.h"

namespace DSAS_02 {

using TB_AN = vexal::shared::TB_AN;

// The root topic: DSAS_01's, over the 30 fields of this record. Owned by
// its rule set; serves one check at a time.
class TB_DSAS_02 : public DSAS_01::TB_DSAS_01 {
 public:
  using TB_DSAS_01::TB_DSAS_01;
};

}  // namespace DSAS_02

// RecordDefinition_DSAS_02 and DSAS_02::Plausi_DSAS_02.
VEXAL_DECLARE_RECORD_TYPE(DSAS_02)

#endif  // VEXAL_DSAS_02_DSAS_02_H_
