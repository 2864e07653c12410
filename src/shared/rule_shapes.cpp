#include "shared/rule_shapes.h"

#include "machinery/texts.h"
#include "pl/functions.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace vexal::shared {

using machinery::checkFunction;
using machinery::RuleResult;
using machinery::texts::kFieldTooLong;

bool isBlank(pl::RuntimeContext* ctx, pl::Value* v) {
  return isTrue(ctx, F_IstLeerzeichen(ctx, v));
}

pl::Value* lengthOnly(pl::RuntimeContext* ctx, const FunctionName& name,
                      pl::LocalVariable* hf_fehlertext, pl::Field* field, std::size_t maximum) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isPresent(v) && isLongerThan(ctx, v, maximum)) result.fail(kFieldTooLong);
  });
}

pl::Value* notBlank(pl::RuntimeContext* ctx, const FunctionName& name,
                    pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                    std::size_t maximum) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isMissing(v) || isBlank(ctx, v)) result.fail(message);
    if (result.ok() && isLongerThan(ctx, v, maximum)) result.fail(kFieldTooLong);
  });
}

pl::Value* notEmptyTrimmed(pl::RuntimeContext* ctx, const FunctionName& name,
                           pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                           std::size_t maximum) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isMissing(v) || textOf(F_Trim(ctx, v)).empty()) result.fail(message);
    if (result.ok() && isLongerThan(ctx, v, maximum)) result.fail(kFieldTooLong);
  });
}

pl::Value* notMissing(pl::RuntimeContext* ctx, const FunctionName& name,
                      pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                      std::size_t maximum) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isMissing(v)) result.fail(message);
    if (result.ok() && isLongerThan(ctx, v, maximum)) result.fail(kFieldTooLong);
  });
}

pl::Value* oneOf(pl::RuntimeContext* ctx, const FunctionName& name,
                 pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* message,
                 std::initializer_list<std::string_view> allowed) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (isMissing(v)) result.fail(message);
    if (result.ok() && !isOneOf(ctx, v, allowed)) result.fail(message);
  });
}

pl::Value* numericField(pl::RuntimeContext* ctx, const FunctionName& name,
                        pl::LocalVariable* hf_fehlertext, pl::Field* field, const char* not_numeric,
                        std::size_t maximum) {
  return checkFunction(ctx, name, hf_fehlertext, [&](RuleResult& result) {
    pl::Value* v = field->get(ctx);
    if (failsNumeric(v, result, not_numeric)) return;
    if (isLongerThan(ctx, v, maximum)) result.fail(kFieldTooLong);
  });
}

bool failsNumeric(pl::Value* v, RuleResult& result, const char* not_numeric) {
  if (isMissing(v)) result.fail(not_numeric);
  if (result.ok() && !isNumeric(v)) result.fail(not_numeric);
  return !result.ok();
}

}  // namespace vexal::shared
