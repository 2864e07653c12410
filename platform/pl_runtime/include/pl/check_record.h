// Checking records with a rule set.

#ifndef VEXAL_RUNTIME_PL_CHECK_RECORD_H_
#define VEXAL_RUNTIME_PL_CHECK_RECORD_H_

#include <memory>

namespace pl {

class Plausi;
class RuntimeContext;

// Checks the records set on a context (setDataRecord) with one rule set.
// Field stage: for every field the record holds, in layout order (root
// fields and the fields of every group occurrence), the type-conformance
// check registered under the field's path runs on the field of the topic
// tree that the mapping names. Rule stage: callProcedure with
// "StandardAblauf". Findings stay on the context until it is reset.
//
// Remembers how the paths of a record layout resolve against the rule set,
// so that a stream of records of one layout resolves each path once. The
// rule set must be complete and outlive the checker. Not thread-safe: one
// checker per rule set and thread.
class RecordChecker {
 public:
  explicit RecordChecker(Plausi* plausi);
  RecordChecker(const RecordChecker&) = delete;
  RecordChecker& operator=(const RecordChecker&) = delete;
  ~RecordChecker();

  // Throws PlausiException only: ExceptionType 9 for a field without a
  // registered check or without a place in the topic tree, and whatever
  // leaves callProcedure (foreign exceptions and exceptions thrown as
  // pointers are turned into PlausiException values).
  void check(RuntimeContext* ctx);

  // How the paths of the last record layout resolve; the runtime's own.
  struct Plan;

 private:
  Plausi* plausi_;
  std::unique_ptr<Plan> plan_;
};

// One record, resolving its paths afresh: RecordChecker(plausi).check(ctx).
void checkRecord(Plausi* plausi, RuntimeContext* ctx);

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_CHECK_RECORD_H_
