// Record type DSLN_02, the second version of the wage report: DSLN_01's
// report with the enterprise number UNRS and the reporting period ZRVON to
// ZRBIS. Its record layout, topics and rule set.

#ifndef VEXAL_DSLN_02_DSLN_02_H_
#define VEXAL_DSLN_02_DSLN_02_H_

#include "DSLN_01/DSLN_01.h"
#include "machinery/record_type_classes.h"

namespace DSLN_02 {

using TB_AN = vexal::shared::TB_AN;
using TB_UV = DSLN_01::TB_UV;
using vexal::machinery::RuleCall;

// The root topic: DSLN_01's with the enterprise number and the reporting
// period. Owned by its rule set; serves one check at a time.
class TB_DSLN_02 : public DSLN_01::TB_DSLN_01 {
 public:
  using TB_DSLN_01::TB_DSLN_01;

  // Whether the record's UNRS is all zeros (F_IstNullen): no enterprise
  // number given.
  pl::Value* F_IstUNRSGrundstellung(pl::RuntimeContext* ctx);

  // ZRVON, ZRBIS: a date "JJJJMMTT" of the reporting year, or all zeros
  // where no enterprise number is given. Texts: not numeric, zeros where
  // an enterprise number is given, no such date, another year.
  void reportingPeriod(RuleCall& rule);

 private:
  // reportingPeriod() of a text, unobserved.
  void reportingPeriodOfText(RuleCall& rule, const pl::StringValue& text);
};

}  // namespace DSLN_02

// RecordDefinition_DSLN_02 and DSLN_02::Plausi_DSLN_02.
VEXAL_DECLARE_RECORD_TYPE(DSLN_02)

#endif  // VEXAL_DSLN_02_DSLN_02_H_
