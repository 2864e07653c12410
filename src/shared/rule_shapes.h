// The shapes of checking rule functions that recur across record types:
// each is a whole F_Pruefe<X> for one field, given its name, its field,
// its message and its length limit. The function's hf_fehlertext receives
// the text of the first test that fails.

#ifndef VEXAL_SHARED_RULE_SHAPES_H_
#define VEXAL_SHARED_RULE_SHAPES_H_

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "machinery/rule_function.h"
#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

using machinery::FunctionName;

// F_IstLeerzeichen(v) is true.
bool isBlank(pl::RuntimeContext* ctx, pl::Value* v);

// An optional field: a supplied value longer than `maximum` fails with
// "Feldinhalt zu lang.".
pl::Value* lengthOnly(pl::RuntimeContext* ctx, const FunctionName& name,
                      pl::LocalVariable* hf_fehlertext, pl::Field* field, std::size_t maximum);

// A field that must be supplied and hold more than blanks (F_IstLeerzeichen).
pl::Value* notBlank(pl::RuntimeContext* ctx, const FunctionName& name,
                    pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                    std::size_t maximum);

// A field that must be supplied and not be empty once trimmed (F_Trim).
pl::Value* notEmptyTrimmed(pl::RuntimeContext* ctx, const FunctionName& name,
                           pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                           std::size_t maximum);

// A field that must be supplied.
pl::Value* notMissing(pl::RuntimeContext* ctx, const FunctionName& name,
                      pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                      std::size_t maximum);

// A field that must be supplied and hold one of `allowed` exactly.
pl::Value* oneOf(pl::RuntimeContext* ctx, const FunctionName& name,
                 pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                 std::initializer_list<std::string_view> allowed);

// A digit field that must be supplied and numeric (NUMERISCH), no longer
// than `maximum`.
pl::Value* numericField(pl::RuntimeContext* ctx, const FunctionName& name,
                        pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* not_numeric,
                        std::size_t maximum);

// A missing or not numeric value fails with `not_numeric`; true when it
// failed.
bool failsNumeric(pl::Value* v, machinery::RuleResult& result, const char* not_numeric);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_RULE_SHAPES_H_
