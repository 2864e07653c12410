// Check procedures P_<X> and the procedure "StandardAblauf" of a topic.

#ifndef VEXAL_MACHINERY_CHECK_PROCEDURE_H_
#define VEXAL_MACHINERY_CHECK_PROCEDURE_H_

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
pl::Value* runCheckProcedure(pl::RuntimeContext* ctx, RuleTopic* topic,
                             const ProcedureSpec& procedure);

// The procedure "StandardAblauf" of a topic: its check procedures in order,
// each whatever the others found, then its blocks. An exception is logged
// under "StandardAblauf" and thrown on unchanged.
void StandardAblauf(pl::RuntimeContext* ctx, RuleTopic* topic);

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_CHECK_PROCEDURE_H_
