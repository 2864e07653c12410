// The problem factory and the finding writers.

#ifndef VEXAL_MACHINERY_INTERNAL_PROBLEM_H_
#define VEXAL_MACHINERY_INTERNAL_PROBLEM_H_

// Only the machinery itself (and its white-box tests) includes this header:
// record types and shared rules reach the machinery through its public
// headers.
#if !defined(VEXAL_LAYER_MACHINERY) && !defined(VEXAL_WHITE_BOX_TESTS)
#error "machinery/internal/ is the check machinery's own"
#endif

#include "machinery/catalogue.h"
#include "pl/plausi_problem.h"

namespace pl {
class LocalVariable;
class RuntimeContext;
}  // namespace pl

namespace vexal::machinery {

// makeProblem of a record type: a new finding for check id `id`, compared
// byte for byte with the record type's check ids. A procedure name gives a
// rule finding (type 2, weight 1) with the placeholder "$hf_fehlertext$"
// (or the procedure's fixed message) and the owning topic as reference
// topic; a field short name gives a field finding (type 1, weight 9) with
// the field's type, mask and length. Any other id throws PlausiException
// type 9 "Ungueltiger Pruefschluessel.".
pl::PlausiProblem* makeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                               const char* id);

// writeProblem: makes the finding for `id`, completes it (descriptions
// from hf_fehlertext for rule findings that carry the placeholder, or,
// given an exception text, the text of the error line for it;
// reference field and final id from the context's current field;
// exception text), traces "FehlerID angeschrieben: <id>" and records the
// open sections on it. hf_fehlertext is null for field findings.
[[gnu::cold]] void writeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                                const char* id, pl::ProblemInfoType info_type,
                                const char* exception_text, pl::LocalVariable* hf_fehlertext);
// writeProblem() of a procedure of `topic` (general info type), without
// looking its id up where the answer is known.
[[gnu::cold]] void writeProcedureProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                                         const TopicTable& topic, const ProcedureRow& procedure,
                                         const char* exception_text,
                                         pl::LocalVariable* hf_fehlertext);

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_INTERNAL_PROBLEM_H_
