// The rows of a record type's check table, one row per check:
//
//   constexpr CheckRow kRootChecks[] = {
//       check("P_PIN", "F_PruefePIN", missing(kDSAS220), notNumeric(kDSAS220), tooLong(),
//             atMost(9999, "DSAS221 MNR-PIN nicht zul\xE4ssig")),
//       check("P_ED", "F_PruefeED", kClearsText, body<&TB::creationDate>()),
//       fixedMessage<&TB::vfRefused>("P_VF", "DSLN005 VERFAHREN ungleich UVELN"),
//   };
//   constexpr auto kRoot = compileChecks<kRootChecks>(kRootFields);
//
// A row names its check procedure P_<X> and its rule function literally;
// its tests work on field X, whose length they take from the field table.
// The tests are the shared ones of src/shared/ or bodies of the record
// type's own (body<>()). compileChecks() checks the rows against the field
// table at compile time and packs the tests of all rows into one pool.

#ifndef VEXAL_MACHINERY_CHECK_ROWS_H_
#define VEXAL_MACHINERY_CHECK_ROWS_H_

#include <array>
#include <concepts>
#include <cstddef>
#include <iterator>
#include <span>
#include <type_traits>

#include "machinery/catalogue.h"
#include "machinery/rule_function.h"

namespace vexal::machinery {

// A check as its row states it.
struct CheckRow {
  static constexpr std::size_t kMaxSteps = 10;

  const char* procedure = nullptr;
  const char* function = nullptr;  // null for a procedure with its own condition
  bool clears_text = false;
  std::array<Step, kMaxSteps> steps{};
  std::size_t step_count = 0;
  ConditionMember failed = nullptr;
  const char* fixed_message = nullptr;
};

// Marks a rule function that sets hf_fehlertext to the invalid value before
// its tests.
struct ClearsText {};
inline constexpr ClearsText kClearsText;

namespace check_rows_internal {

// Constant evaluation only; the consteval functions below are the rows'
// spelling.
template <class... Steps>
constexpr CheckRow row(const char* procedure, const char* function, bool clears_text,
                       Steps... steps) {
  static_assert(sizeof...(Steps) <= CheckRow::kMaxSteps, "too many tests in one check");
  CheckRow row;
  row.procedure = procedure;
  row.function = function;
  row.clears_text = clears_text;
  row.steps = {steps...};
  row.step_count = sizeof...(Steps);
  return row;
}

}  // namespace check_rows_internal

template <std::same_as<Step>... Steps>
consteval CheckRow check(const char* procedure, const char* function, Steps... steps) {
  return check_rows_internal::row(procedure, function, false, steps...);
}

template <std::same_as<Step>... Steps>
consteval CheckRow check(const char* procedure, const char* function, ClearsText, Steps... steps) {
  return check_rows_internal::row(procedure, function, true, steps...);
}

// A check procedure with its own condition and a fixed message:
// `fixedMessage<&TB_X::vfRefused>("P_VF", "DSLN005 ...")`.
template <auto Condition>
consteval CheckRow fixedMessage(const char* procedure, const char* message) {
  CheckRow row;
  row.procedure = procedure;
  row.failed = static_cast<ConditionMember>(Condition);
  row.fixed_message = message;
  return row;
}

namespace check_rows_internal {

template <class F>
struct MemberClass;
template <class C>
struct MemberClass<void (C::*)(RuleCall&)> {
  using type = C;
};

template <auto Fn>
void callBody(RuleCall& rule) {
  if constexpr (std::is_member_function_pointer_v<decltype(Fn)>) {
    using Topic = typename MemberClass<decltype(Fn)>::type;
    (rule.topicAs<Topic>().*Fn)(rule);
  } else {
    Fn(rule);
  }
}

}  // namespace check_rows_internal

// A test written in C++: a function `void (RuleCall&)`, or a member
// function of the topic class `void TB_X::f(RuleCall&)`, with the texts it
// fails with.
template <auto Fn, std::same_as<const char*>... Texts>
constexpr Step body(Texts... texts) {
  static_assert(sizeof...(Texts) <= Step::kMaxTexts, "too many texts");
  Step step;
  step.body = &check_rows_internal::callBody<Fn>;
  step.texts = {texts...};
  return step;
}

// The test runs whatever the tests before it found.
consteval Step always(Step step) {
  step.always = true;
  return step;
}

// A topic's procedures with their tests packed into one pool.
template <std::size_t N, std::size_t S>
struct CheckTable {
  std::array<ProcedureRow, N> procedures;
  std::array<Step, S> steps;

  constexpr operator CheckSpans() const { return {procedures, steps}; }
};

namespace check_rows_internal {

constexpr bool sameText(const char* a, const char* b) {
  for (; *a != '\0' && *a == *b; ++a, ++b) {
  }
  return *a == *b;
}

template <const auto& Rows>
constexpr std::size_t totalSteps() {
  std::size_t total = 0;
  for (const CheckRow& row : Rows) total += row.step_count;
  return total;
}

}  // namespace check_rows_internal

// Compiles a topic's rows against its field table. A row whose procedure
// is not "P_" and the name of one of the fields, and two rows of one
// procedure, do not compile.
template <const auto& Rows>
consteval auto compileChecks(std::span<const FieldRow> fields) {
  using check_rows_internal::sameText;
  CheckTable<std::size(Rows), check_rows_internal::totalSteps<Rows>()> table{};
  std::size_t next_step = 0;
  for (std::size_t i = 0; i < std::size(Rows); ++i) {
    const CheckRow& row = Rows[i];
    const char* procedure = row.procedure;
    if (procedure[0] != 'P' || procedure[1] != '_') throw "a check procedure is named P_<field>";
    for (std::size_t j = 0; j < i; ++j) {
      if (sameText(Rows[j].procedure, procedure)) throw "two rows of one check procedure";
    }
    ProcedureRow& compiled = table.procedures[i];
    compiled.name = ProcedureName(procedure);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (sameText(fields[f].name, procedure + 2)) compiled.field = static_cast<int>(f);
    }
    if (compiled.field < 0) throw "a check of a field its topic does not have";
    compiled.field_length = fields[static_cast<std::size_t>(compiled.field)].length;
    if (row.function != nullptr) compiled.function = FunctionName(row.function);
    compiled.clears_text = row.clears_text;
    compiled.failed = row.failed;
    compiled.fixed_message = row.fixed_message;
    compiled.first_step = static_cast<unsigned short>(next_step);
    compiled.step_count = static_cast<unsigned short>(row.step_count);
    compiled.pass_when = row.function != nullptr ? 0 : kPassRuns;
    for (std::size_t s = 0; s < row.step_count; ++s) {
      if (row.steps[s].body == nullptr) throw "a test without a body";
      compiled.pass_when |= row.steps[s].pass_when;
      table.steps[next_step++] = row.steps[s];
    }
    // A text cannot be both: the tests must run to tell what they find.
    if ((compiled.pass_when & kPassNotBlank) && (compiled.pass_when & kPassOnlyBlanks)) {
      compiled.pass_when |= kPassRuns;
    }
  }
  return table;
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_CHECK_ROWS_H_
