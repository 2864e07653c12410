// The data a record type supplies to the check machinery: its fields in
// record order, its groups, its checks in the order of "StandardAblauf",
// and its rule functions callable by name. Everything a rule set builds
// (record layout, mapping, type descriptors, topic tree, type-conformance
// checks, rule functions, findings) is derived from these tables.
//
// A record type's catalogue is constant data: its tables are built at
// compile time (check_rows.h, by_name.h) and never change.

#ifndef VEXAL_MACHINERY_CATALOGUE_H_
#define VEXAL_MACHINERY_CATALOGUE_H_

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <type_traits>

#include "machinery/fixed_text.h"
#include "machinery/texts.h"
#include "model/record_definition.h"
#include "pl/field_descriptor.h"
#include "pl/topic.h"
#include "pl/types.h"

namespace pl {
class Plausi;
class RuntimeContext;
class TypeDescriptor;
class Value;
}  // namespace pl

namespace vexal::machinery {

class RuleCall;
class RuleTopic;

// Whether a field's type-conformance check reports a field the record does
// not supply.
enum class Presence : unsigned char { kMandatory, kOptional };

// Shorthands for the field tables of the catalogues.
inline constexpr auto kNum = ::FieldType::kNumeric;
inline constexpr auto kText = ::FieldType::kAlphanumeric;
inline constexpr auto kMandatory = Presence::kMandatory;
inline constexpr auto kOptional = Presence::kOptional;

// Where a topic class keeps things, erased to the machinery's base class.
using VariableMember = pl::LocalVariable* RuleTopic::*;
using ConditionMember = bool (RuleTopic::*)(pl::RuntimeContext*);
using BlockRunnerMember = void (RuleTopic::*)(pl::RuntimeContext*);

// One elementary field. The record model's numeric fields are numeric for
// the runtime too, with the digit mask "0" followed by one "#" per digit;
// all others are alphanumeric without mask. The check's maximum length is
// the layout length.
struct FieldRow {
  const char* name = nullptr;          // short name, e.g. "ABSN"
  const char* display_name = nullptr;  // e.g. "ABSENDER-NUMMER"
  ::FieldType model_type = ::FieldType::kAlphanumeric;
  unsigned length = 0;
  Presence presence = Presence::kMandatory;

  constexpr pl::FieldType runtimeType() const {
    return model_type == ::FieldType::kNumeric ? pl::FieldType::kNumeric
                                               : pl::FieldType::kAlphanumeric;
  }
};

namespace catalogue_internal {

template <class Part>
struct FieldCount {
  static constexpr std::size_t value = 1;
};
template <std::size_t N>
struct FieldCount<FieldRow[N]> {
  static constexpr std::size_t value = N;
};
template <std::size_t N>
struct FieldCount<std::array<FieldRow, N>> {
  static constexpr std::size_t value = N;
};

}  // namespace catalogue_internal

// A field table put together from single fields and runs of fields that
// several record types share: `fieldTable(kSenderFields, FieldRow{...})`.
template <class... Parts>
consteval auto fieldTable(const Parts&... parts) {
  std::array<FieldRow, (catalogue_internal::FieldCount<Parts>::value + ... + 0)> table{};
  std::size_t next = 0;
  auto add = [&](const auto& part) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(part)>, FieldRow>) {
      table[next++] = part;
    } else {
      for (const FieldRow& field : part) table[next++] = field;
    }
  };
  (add(parts), ...);
  return table;
}

// Digit masks "0#" .. "0" + 31 "#", by digit count.
class DigitMasks {
 public:
  static constexpr unsigned kMaxDigits = 31;
  static const char* forLength(unsigned digits);
};

// The mask of a field's runtime type: a digit mask for numeric fields,
// null otherwise.
inline const char* maskOf(const FieldRow& field) {
  return field.runtimeType() == pl::FieldType::kNumeric ? DigitMasks::forLength(field.length)
                                                        : nullptr;
}

struct TopicTable;

// Makes the topic array of a group around its prototype and stores it in
// the owning topic's member; see bindArray().
using ArrayBinder = pl::TopicArrayBase* (*)(RuleTopic* owner, RuleTopic* prototype);

// A repeated or conditional group of the record and the sub-topic that
// checks it. Groups follow the single fields of their topic in the layout.
struct GroupRow {
  const char* name;             // "AN", "UV": block path and member name
  const char* counter_field;    // counted group: the numeric field before it; else null
  const char* condition_field;  // conditional group: field and value it must equal; else null
  const char* condition_value;
  const TopicTable* element;
  ArrayBinder bind;
};

// One test of a checking rule function: `body` looks at the record and,
// when the test fails, fails the rule with one of `texts` (or a text of its
// own). The tests of a rule run in order, each only while the rule has not
// failed, unless it runs `always`. The literals and the number are the
// test's own data (the values a field may hold, a limit).
// What a test needs of its field's value to be sure to pass without any
// effect, as bits: a text the record supplies (every bit but kRuns asks for
// one) that is, for each bit set, ...
enum PassWhen : unsigned char {
  kPassSupplied = 0x01,      // ... just there
  kPassWithinLength = 0x02,  // ... at most as long as the field
  kPassNotBlank = 0x04,      // ... not empty and not only blanks
  kPassOnlyBlanks = 0x08,    // ... empty or only blanks
  kPassDigits = 0x10,        // ... one or more of the digits 0-9 and no other
  kPassOneOf = 0x20,         // ... equal to one of the test's literals
  kPassRuns = 0x80,          // only running the test tells
};

struct Step {
  static constexpr std::size_t kMaxTexts = 4;
  static constexpr std::size_t kMaxLiterals = 6;
  using Body = void (*)(RuleCall& rule);

  Body body = nullptr;
  std::array<const char*, kMaxTexts> texts{};
  std::array<std::string_view, kMaxLiterals> literals{};
  unsigned char literal_count = 0;
  bool always = false;
  unsigned char pass_when = kPassRuns;
  long long number = 0;

  constexpr std::span<const std::string_view> literalList() const {
    return {literals.data(), literal_count};
  }
};

// The name of a check procedure with the texts derived from it.
struct ProcedureName {
  FixedText<40> name;     // "P_ABSN": the check id
  FixedText<56> section;  // "Prüfung P_ABSN"
  FixedText<96> skipped;  // the trace line of a skipped procedure

  constexpr ProcedureName() = default;
  constexpr ProcedureName(const char* procedure)
      : name(joinText<40>(procedure, "")),
        section(joinText<56>(texts::kProcedureSectionPrefix, procedure)),
        skipped(joinText<96>(texts::kSkipped, procedure)) {}
};

// A rule function's name and its section title ("Funktion F_PruefeABSN").
struct FunctionName {
  FixedText<48> name;
  FixedText<64> section;

  constexpr FunctionName() = default;
  constexpr FunctionName(const char* function)
      : name(joinText<48>(function, "")),
        section(joinText<64>(texts::kFunctionSectionPrefix, function)) {}
  // For functions whose error line spells the name differently.
  constexpr FunctionName(const char* function, const char* logged_as)
      : name(joinText<48>(logged_as, "")),
        section(joinText<64>(texts::kFunctionSectionPrefix, function)) {}

  constexpr bool empty() const { return name.size == 0; }
};

// A check procedure P_<X> of a topic. The standard shape calls its rule
// function F_Pruefe<X> (function), which runs the tests steps[first_step,
// first_step + step_count) of its topic on field X, and writes its finding
// with the text of the topic's hf_fehlertext when the rule fails. A
// procedure with its own condition has no rule function: it writes its
// finding, with `fixed_message` as text, when `failed` answers true.
struct ProcedureRow {
  ProcedureName name;
  FunctionName function;      // empty for a procedure with its own condition
  int field = -1;             // index of field X in its topic's field table
  unsigned field_length = 0;  // and its length there
  bool clears_text = false;   // the rule function first sets hf_fehlertext invalid
  unsigned short first_step = 0;
  unsigned short step_count = 0;
  ConditionMember failed = nullptr;
  const char* fixed_message = nullptr;
  // What the procedure's tests together need of the value to pass (the
  // PassWhen bits of all); 0 for none at all.
  unsigned char pass_when = kPassRuns;

  constexpr bool hasRuleFunction() const { return !function.empty(); }
};

// Erases the class of a topic's member for the tables:
// `variable<&TB_X::ipMjahrSchalttag>`, `blockRunner<&TB_X::runBlocks>`.
template <auto Member>
inline constexpr VariableMember variable = static_cast<VariableMember>(Member);
template <auto Runner>
inline constexpr BlockRunnerMember blockRunner = static_cast<BlockRunnerMember>(Runner);

// Makes a topic of the class a TopicTable describes; see makeTopic().
using TopicFactory = RuleTopic* (*)(const TopicTable& catalogue, pl::TypeDescriptor* type,
                                    pl::FieldDescriptor* parent, pl::Plausi* plausi);

// A topic's checks as check_rows.h compiles them: the procedures in the
// order of StandardAblauf and the tests their rule functions run.
struct CheckSpans {
  std::span<const ProcedureRow> procedures;
  std::span<const Step> steps;
};

struct TopicTable {
  // Reference topic of the procedures' findings: the record type code for
  // the root topic, the block name for a sub-topic.
  const char* name = nullptr;
  std::span<const FieldRow> fields{};            // record order
  std::span<const GroupRow> groups{};            // record order, after the fields
  std::span<const VariableMember> parameters{};  // variables after hf_fehlertext
  CheckSpans checks{};
  BlockRunnerMember run_blocks = nullptr;  // after the procedures; may be null
  TopicFactory make = nullptr;
};

// A rule function callable by name: the rule function of a root check, or
// another function with the names of the init parameters its arguments are
// taken from.
struct CallableRow {
  static constexpr std::size_t kMaxParameters = 3;
  using Invoker = pl::Value* (*)(RuleTopic* topic, pl::RuntimeContext* ctx, pl::Value* const* args);

  const char* name = nullptr;
  Invoker invoke = nullptr;             // null for the rule function of a check
  const ProcedureRow* check = nullptr;  // the check whose rule function it is
  std::array<const char*, kMaxParameters> parameters{};
  std::size_t parameter_count = 0;
};

struct RecordCatalogue {
  const char* record_type = nullptr;  // "DSKO_04"
  const char* build_stamp = nullptr;
  TopicTable root;                         // named after the record type
  std::span<const CallableRow> functions;  // in ascending byte order of their names
  // The init parameter copied into the root topic's first parameter
  // variable before each run of "StandardAblauf"; null for none.
  const char* procedure_parameter = nullptr;
};

// A record type's catalogue; its root topic (rootTopic()) is named after
// the record type.
consteval RecordCatalogue recordCatalogue(const char* record_type, const char* build_stamp,
                                          TopicTable root, std::span<const CallableRow> functions,
                                          const char* procedure_parameter = nullptr) {
  root.name = record_type;
  return {record_type, build_stamp, root, functions, procedure_parameter};
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_CATALOGUE_H_
