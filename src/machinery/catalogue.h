// The data a record type supplies to the check machinery: its fields in
// record order, its groups, its check procedures in the order of
// "StandardAblauf", and its rule functions callable by name. Everything a
// rule set builds (record layout, mapping, type descriptors, topic tree,
// type-conformance checks, findings) is derived from these tables.

#ifndef VEXAL_MACHINERY_CATALOGUE_H_
#define VEXAL_MACHINERY_CATALOGUE_H_

#include <array>
#include <cstddef>
#include <span>

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
using FieldMember = pl::Field* RuleTopic::*;
using VariableMember = pl::LocalVariable* RuleTopic::*;
using RuleFunctionMember = pl::Value* (RuleTopic::*)(pl::RuntimeContext*);
using ConditionMember = bool (RuleTopic::*)(pl::RuntimeContext*);
using BlockRunnerMember = void (RuleTopic::*)(pl::RuntimeContext*);

// One elementary field. The record model's numeric fields are numeric for
// the runtime too, with the digit mask "0" followed by one "#" per digit;
// all others are alphanumeric without mask. The check's maximum length is
// the layout length.
struct FieldSpec {
  template <class Topic>
  constexpr FieldSpec(const char* name, const char* display_name, ::FieldType model_type,
                      unsigned length, Presence presence, pl::Field* Topic::*member)
      : name(name),
        display_name(display_name),
        model_type(model_type),
        length(length),
        presence(presence),
        member(static_cast<FieldMember>(member)) {}

  const char* name;          // short name, e.g. "ABSN"
  const char* display_name;  // e.g. "ABSENDER-NUMMER"
  ::FieldType model_type;
  unsigned length;
  Presence presence;
  FieldMember member;

  constexpr pl::FieldType runtimeType() const {
    return model_type == ::FieldType::kNumeric ? pl::FieldType::kNumeric
                                               : pl::FieldType::kAlphanumeric;
  }
};

// Digit masks "0#" .. "0" + 31 "#", by digit count.
class DigitMasks {
 public:
  static constexpr unsigned kMaxDigits = 31;
  static const char* forLength(unsigned digits);
};

// The mask of a field's runtime type: a digit mask for numeric fields,
// null otherwise.
inline const char* maskOf(const FieldSpec& field) {
  return field.runtimeType() == pl::FieldType::kNumeric ? DigitMasks::forLength(field.length)
                                                        : nullptr;
}

struct TopicSpec;

// Makes the topic array of a group around its prototype and stores it in
// the owning topic's member; see bindArray().
using ArrayBinder = pl::TopicArrayBase* (*)(RuleTopic* owner, RuleTopic* prototype);

// A repeated or conditional group of the record and the sub-topic that
// checks it. Groups follow the single fields of their topic in the layout.
struct GroupSpec {
  const char* name;             // "AN", "UV": block path and member name
  const char* counter_field;    // counted group: the numeric field before it; else null
  const char* condition_field;  // conditional group: field and value it must equal; else null
  const char* condition_value;
  const TopicSpec* element;
  ArrayBinder bind;
};

// The name of a check procedure with the texts derived from it.
struct ProcedureName {
  FixedText<40> name;     // "P_ABSN": the check id
  FixedText<56> section;  // "Prüfung P_ABSN"
  FixedText<96> skipped;  // the trace line of a skipped procedure

  consteval ProcedureName(const char* procedure)
      : name(joinText<40>(procedure, "")),
        section(joinText<56>(texts::kProcedureSectionPrefix, procedure)),
        skipped(joinText<96>(texts::kSkipped, procedure)) {}
};

// A check procedure. The standard shape calls `rule` and writes its finding
// with the text of the topic's hf_fehlertext when the rule returns the
// number 0. A procedure with its own condition has no rule: it writes its
// finding, with `fixed_message` as text, when `failed` answers true.
struct ProcedureSpec {
  ProcedureName name;
  RuleFunctionMember rule;
  ConditionMember failed;
  const char* fixed_message;
};

// A standard check procedure: `procedure<&TB_X::F_PruefeABSN>("P_ABSN")`.
template <auto Rule>
consteval ProcedureSpec procedure(const char* name) {
  return ProcedureSpec{name, static_cast<RuleFunctionMember>(Rule), nullptr, nullptr};
}

// A check procedure with its own condition and a fixed message:
// `procedure<&TB_X::vfFailed>("P_VF", "DSLN005 ...")`.
template <auto Condition>
consteval ProcedureSpec procedure(const char* name, const char* fixed_message) {
  return ProcedureSpec{name, nullptr, static_cast<ConditionMember>(Condition), fixed_message};
}

// Erases the class of a topic's member for the tables:
// `variable<&TB_X::ipMjahrSchalttag>`, `blockRunner<&TB_X::runBlocks>`.
template <auto Member>
inline constexpr VariableMember variable = static_cast<VariableMember>(Member);
template <auto Runner>
inline constexpr BlockRunnerMember blockRunner = static_cast<BlockRunnerMember>(Runner);

// Makes a topic of the class a TopicSpec describes; see makeTopic().
using TopicFactory = RuleTopic* (*)(const TopicSpec& catalogue, pl::TypeDescriptor* type,
                                    pl::FieldDescriptor* parent, pl::Plausi* plausi);

struct TopicSpec {
  // Reference topic of the procedures' findings: the record type code for
  // the root topic, the block name for a sub-topic.
  const char* name;
  std::span<const FieldSpec> fields;           // record order
  std::span<const GroupSpec> groups;           // record order, after the fields
  std::span<const VariableMember> parameters;  // variables after hf_fehlertext
  std::span<const ProcedureSpec> procedures;   // order of StandardAblauf
  BlockRunnerMember run_blocks;                // after the procedures; may be null
  TopicFactory make;
};

// A rule function callable by name, with the names of the init parameters
// its arguments are taken from.
struct FunctionSpec {
  static constexpr std::size_t kMaxParameters = 3;
  using Invoker = pl::Value* (*)(RuleTopic* topic, pl::RuntimeContext* ctx, pl::Value* const* args);

  const char* name;
  Invoker invoke;
  std::array<const char*, kMaxParameters> parameters;
  std::size_t parameter_count;
};

struct RecordSpec {
  const char* record_type;  // "DSKO_04"
  const char* build_stamp;
  const TopicSpec* root;
  std::span<const FunctionSpec> functions;  // compared in this order
  // The init parameter copied into the root topic's first parameter
  // variable before each run of "StandardAblauf"; null for none.
  const char* procedure_parameter;
};

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_CATALOGUE_H_
