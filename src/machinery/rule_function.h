// The shape of a rule function F_<name>, and what the tests of a checking
// rule function F_Pruefe<X> work with.

#ifndef VEXAL_MACHINERY_RULE_FUNCTION_H_
#define VEXAL_MACHINERY_RULE_FUNCTION_H_

#include <cstddef>

#include "machinery/catalogue.h"
#include "machinery/rule_topic.h"
#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"

namespace vexal::machinery {

// Writes the error line of the exception being handled under the function's
// name and leaves its section, when it opened (see ruleFunction()). Call it
// from a catch block only. What runs only when a check fails or an error
// is reported is marked cold, so that the compiler keeps it apart from the
// code every record runs.
[[gnu::cold]] void failRuleFunction(pl::RuntimeContext* ctx, const FunctionName& function,
                                    bool section_opened);

// Runs body() in the function's section and returns what it returns. On an
// exception: logs it under the function's name, leaves the section and
// throws the same exception on. A rule function never writes a finding, so
// its section is a quiet one: opened only while a SectionObserver listens.
template <class Body>
pl::Value* ruleFunction(pl::RuntimeContext* ctx, const FunctionName& function, Body&& body) {
  const bool opened = ctx->startQuietSection(function.section.c_str(), false);
  pl::Value* result;
  try {
    result = body();
  } catch (...) {
    failRuleFunction(ctx, function, opened);
    throw;
  }
  ctx->leaveQuietSection(opened);
  return result;
}

// One run of a checking rule function F_Pruefe<X>, as its tests see it: the
// context, the topic, the value of field X, the test now running and the
// result number, which starts at 1. A failed test leaves its text in the
// topic's hf_fehlertext and sets the result to 0. Lives on the stack of the
// rule function; not thread-safe.
class RuleCall {
 public:
  RuleCall(pl::RuntimeContext* ctx, RuleTopic& topic, const ProcedureRow& check);
  // With the value of the check's field read already.
  RuleCall(pl::RuntimeContext* ctx, RuleTopic& topic, const ProcedureRow& check, pl::Value* value)
      : ctx_(ctx), topic_(topic), check_(check), value_(value) {}
  RuleCall(const RuleCall&) = delete;
  RuleCall& operator=(const RuleCall&) = delete;

  pl::RuntimeContext* ctx() const { return ctx_; }
  RuleTopic& topic() const { return topic_; }
  // The topic as its own class; the rows of a topic class name only tests
  // written for it.
  template <class Topic>
  Topic& topicAs() const {
    return static_cast<Topic&>(topic_);
  }
  // The value of the check's field: the same value for every read within a
  // record.
  pl::Value* value() {
    if (value_ == nullptr) value_ = topic_.field(static_cast<std::size_t>(check_.field))->get(ctx_);
    return value_;
  }
  // The field's length in the layout.
  unsigned fieldLength() const { return check_.field_length; }
  // The test now running, with its texts, literals and number.
  const Step& step() const { return *step_; }
  const char* text(std::size_t i) const { return step_->texts[i]; }

  bool ok() const { return result_ == 1; }
  // Fails with the running test's first text.
  void fail() { failWith(step_->texts[0]); }
  [[gnu::cold]] void failWith(const char* text);
  // Fails with a text made at run time.
  [[gnu::cold]] void failWith(pl::Value* text);

  // Runs one test (the machinery's loop).
  void run(const Step& step) {
    step_ = &step;
    step.body(*this);
  }
  int result() const { return result_; }

 private:
  pl::RuntimeContext* ctx_;
  RuleTopic& topic_;
  const ProcedureRow& check_;
  const Step* step_ = nullptr;
  pl::Value* value_ = nullptr;
  int result_ = 1;
};

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_RULE_FUNCTION_H_
