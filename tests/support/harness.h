// Checks record lines with a rule set the way a host does, and keeps what
// the run produced (findings, log lines, sections) for assertions.

#ifndef VEXAL_TESTS_SUPPORT_HARNESS_H_
#define VEXAL_TESTS_SUPPORT_HARNESS_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/record_definition.h"
#include "pl/check_record.h"
#include "pl/plausi.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace vexal::testing {

class CapturedLog : public pl::LogSink {
 public:
  void write(pl::LogLevel, std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

// Follows sections: every start must be matched by a leave of the same
// title, in order.
class SectionTracker : public pl::SectionObserver {
 public:
  void onStart(const char* title, bool flag, std::size_t depth) override;
  void onLeave(const char* title, std::size_t depth) override;
  bool balanced() const { return open_.empty() && mismatches == 0; }
  std::vector<std::string> started;  // "<title>|<flag>"
  int mismatches = 0;

 private:
  std::vector<std::string> open_;
};

// The type and text of the PlausiException `call` throws; (-1, "") when
// it throws none.
template <class Call>
std::pair<int, std::string> thrownBy(Call&& call) {
  try {
    call();
  } catch (const pl::PlausiException& e) {
    return {static_cast<int>(e.getType()), e.getMessage()};
  }
  return {-1, ""};
}

class Harness {
 public:
  // shared_ptr keeps the deleter of the concrete type (RecordDefinition has
  // no virtual destructor).
  Harness(std::shared_ptr<pl::Plausi> plausi, std::shared_ptr<RecordDefinition> definition);
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  // Resets the context and checks one line: field stage and rule stage.
  void check(std::string_view line);
  // How the last check() cut its line: the lengths the layout implies and
  // the line holds, and the fields and group occurrences it found. Valid
  // until the next check().
  const RecordCut& cut() const { return *cut_; }

  // A record given field by field, as a host with another record source
  // would hand it over: fields in this order, each with its text (of any
  // length) or nullopt for a field the record does not supply. A field
  // "<group>.<name>" belongs to the group's first occurrence,
  // "<group>[n].<name>" to its n-th.
  using FieldValues = std::vector<std::pair<std::string, std::optional<std::string>>>;
  void checkValues(const FieldValues& fields);

  pl::Plausi& plausi() { return *plausi_; }
  pl::RuntimeContext& ctx() { return ctx_; }
  std::size_t findingCount() const { return ctx_.getProblemCount(); }
  const pl::PlausiProblem& finding(std::size_t i) const { return *ctx_.getProblem(i); }
  // The final ids of all findings, in order.
  std::vector<std::string> ids() const;
  // "<id> <short description>" of the rule findings only.
  std::vector<std::string> ruleFindings() const;
  // (id, info type) of the field findings only.
  std::vector<std::pair<std::string, int>> fieldFindings() const;
  // Field findings as "<id> info <type>", then rule findings as
  // "<id> <text>".
  std::vector<std::string> allFindings() const;

  CapturedLog trace;
  CapturedLog errors;
  SectionTracker sections;

 private:
  // Checks the record the context holds. While the sections are observed:
  // unobserved first, as hosts check, then observed, which leaves what the
  // tests look at.
  void runChecks();

  std::shared_ptr<pl::Plausi> plausi_;
  std::shared_ptr<RecordDefinition> definition_;
  pl::RecordChecker checker_;
  host::RecordInput input_;
  const RecordCut* cut_ = nullptr;
  pl::DataRecord values_record_;
  pl::RuntimeContext ctx_;
};

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_HARNESS_H_
