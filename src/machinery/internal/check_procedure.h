// Check procedures P_<X>, the rule functions behind them, and the procedure
// "StandardAblauf" of a topic.

#ifndef VEXAL_MACHINERY_INTERNAL_CHECK_PROCEDURE_H_
#define VEXAL_MACHINERY_INTERNAL_CHECK_PROCEDURE_H_

// Only the machinery itself (and its white-box tests) includes this header:
// record types and shared rules reach the machinery through its public
// headers.
#if !defined(VEXAL_LAYER_MACHINERY) && !defined(VEXAL_WHITE_BOX_TESTS)
#error "machinery/internal/ is the check machinery's own"
#endif

#include "machinery/catalogue.h"

namespace pl {
class RuntimeContext;
class Value;
}  // namespace pl

namespace vexal::machinery {

class RuleTopic;

// Runs one check procedure of `topic`. Above problem-weight level 1 it only
// traces that it was skipped and returns false. Otherwise, in section
// "Prüfung P_<X>", it asks its rule function (or its own condition) and
// writes its finding when the rule answers the number 0 (or the condition
// true). Catches every exception, logs it under the procedure's name and
// reports it as the procedure's finding. Returns true when it wrote one.
// `record` is the catalogue of the topic's rule set.
bool runCheckProcedure(pl::RuntimeContext* ctx, RuleTopic* topic, const RecordCatalogue& record,
                       const ProcedureRow& procedure);

// The rule function F_Pruefe<X> of a check: in section "Funktion
// F_Pruefe<X>", its tests in order, each while the result is still 1 (or
// always); returns the result number. An exception is logged under the
// function's name and thrown on unchanged.
pl::Value* runRuleFunction(pl::RuntimeContext* ctx, RuleTopic* topic, const ProcedureRow& check);

// The procedure "StandardAblauf" of a topic: its check procedures in order,
// each whatever the others found, then its blocks. An exception is logged
// under "StandardAblauf" and thrown on unchanged.
void StandardAblauf(pl::RuntimeContext* ctx, RuleTopic* topic);

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_INTERNAL_CHECK_PROCEDURE_H_
