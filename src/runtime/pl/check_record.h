// Checking one record with a rule set.

#ifndef VEXAL_RUNTIME_PL_CHECK_RECORD_H_
#define VEXAL_RUNTIME_PL_CHECK_RECORD_H_

namespace pl {

class Plausi;
class RuntimeContext;

// Checks the record set on the context (setDataRecord) with the rule set.
// Field stage: for every field the record holds, in layout order (root
// fields and the fields of every group occurrence), the type-conformance
// check registered under the field's path runs on the field of the topic
// tree that the mapping names. Rule stage: callProcedure with
// "StandardAblauf". Findings stay on the context until it is reset.
//
// Throws PlausiException only: ExceptionType 9 for a field without a
// registered check or without a place in the topic tree, and whatever
// leaves callProcedure (foreign exceptions and exceptions thrown as
// pointers are turned into PlausiException values).
void checkRecord(Plausi* plausi, RuntimeContext* ctx);

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_CHECK_RECORD_H_
