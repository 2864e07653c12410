// The shape of a rule function F_<name>.

#ifndef VEXAL_MACHINERY_RULE_FUNCTION_H_
#define VEXAL_MACHINERY_RULE_FUNCTION_H_

#include "machinery/caught_exception.h"
#include "machinery/fixed_text.h"
#include "machinery/texts.h"
#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"

namespace vexal::machinery {

// A rule function's name and its section title ("Funktion F_PruefeABSN").
struct FunctionName {
  FixedText<48> name;
  FixedText<64> section;

  consteval FunctionName(const char* function)
      : name(joinText<48>(function, "")),
        section(joinText<64>(texts::kFunctionSectionPrefix, function)) {}
  // For functions whose error line spells the name differently.
  consteval FunctionName(const char* function, const char* logged_as)
      : name(joinText<48>(logged_as, "")),
        section(joinText<64>(texts::kFunctionSectionPrefix, function)) {}
};

// Runs body() in the function's section and returns what it returns. On an
// exception: logs it under the function's name, leaves the section and
// throws the same exception on. A rule function never writes a finding.
template <class Body>
pl::Value* ruleFunction(pl::RuntimeContext* ctx, const FunctionName& function, Body&& body) {
  ctx->startNewSection(function.section.c_str(), false);
  pl::Value* result;
  try {
    result = body();
  } catch (...) {
    CaughtException caught(CaughtException::Pointer::kKeep);
    logExecutionError(ctx, function.name.c_str(), caught.message());
    ctx->leaveCurrentSection();
    throw;
  }
  ctx->leaveCurrentSection();
  return result;
}

// The result number of a checking rule function: starts at 1; fail() leaves
// its text in the topic's hf_fehlertext and sets it to 0.
class RuleResult {
 public:
  RuleResult(pl::RuntimeContext* ctx, pl::LocalVariable* hf_fehlertext)
      : ctx_(ctx), hf_fehlertext_(hf_fehlertext) {}

  bool ok() const { return result_ == 1; }
  void fail(const char* text) {
    hf_fehlertext_->set(ctx_->createStringValue(text));
    result_ = 0;
  }
  // Fails with a text made at run time.
  void fail(pl::Value* text) {
    hf_fehlertext_->set(text);
    result_ = 0;
  }
  pl::Value* value() const { return ctx_->createNumberValue(result_); }

 private:
  pl::RuntimeContext* ctx_;
  pl::LocalVariable* hf_fehlertext_;
  int result_ = 1;
};

// A checking rule function F_Pruefe<X>: body(result) runs the tests, and
// the function returns the result number.
template <class Body>
pl::Value* checkFunction(pl::RuntimeContext* ctx, const FunctionName& function,
                         pl::LocalVariable* hf_fehlertext, Body&& body) {
  return ruleFunction(ctx, function, [&] {
    RuleResult result(ctx, hf_fehlertext);
    body(result);
    return result.value();
  });
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_RULE_FUNCTION_H_
