#include "machinery/internal/check_procedure.h"

#include <new>

#include "machinery/internal/caught_exception.h"
#include "machinery/internal/problem.h"
#include "machinery/rule_function.h"
#include "machinery/rule_topic.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::machinery {

void failRuleFunction(pl::RuntimeContext* ctx, const FunctionName& function) {
  CaughtException caught(CaughtException::Pointer::kKeep);
  logExecutionError(ctx, function.name.c_str(), caught.message());
  ctx->leaveCurrentSection();
}

RuleCall::RuleCall(pl::RuntimeContext* ctx, RuleTopic& topic, const ProcedureSpec& check)
    : ctx_(ctx), topic_(topic), check_(check) {}

pl::Value* RuleCall::value() {
  if (value_ == nullptr) value_ = topic_.field(static_cast<std::size_t>(check_.field))->get(ctx_);
  return value_;
}

unsigned RuleCall::fieldLength() const {
  return topic_.catalogue().fields[static_cast<std::size_t>(check_.field)].length;
}

void RuleCall::failWith(const char* text) { failWith(ctx_->createStringValue(text)); }

void RuleCall::failWith(pl::Value* text) {
  topic_.hf_fehlertext->set(text);
  result_ = 0;
}

pl::Value* runRuleFunction(pl::RuntimeContext* ctx, RuleTopic* topic, const ProcedureSpec& check) {
  if (check.clears_text) topic->hf_fehlertext->set(ctx->createInvalidValue());
  ctx->startNewSection(check.function.section.c_str(), false);
  int result;
  try {
    RuleCall rule(ctx, *topic, check);
    const Step* step = topic->catalogue().checks.steps.data() + check.first_step;
    for (const Step* end = step + check.step_count; step != end; ++step) {
      if (rule.ok() || step->always) rule.run(*step);
    }
    result = rule.result();
  } catch (...) {
    failRuleFunction(ctx, check.function);
    throw;
  }
  ctx->leaveCurrentSection();
  return ctx->createNumberValue(result);
}

pl::Value* runCheckProcedure(pl::RuntimeContext* ctx, RuleTopic* topic,
                             const ProcedureSpec& procedure) {
  if (ctx->getProblemWeightLevel() > 1) {
    ctx->getLogger().trace() << procedure.name.skipped.c_str();
    return ctx->createBoolValue(false);
  }
  const RecordSpec& record = topic->record();
  const char* id = procedure.name.name.c_str();
  ctx->startNewSection(procedure.name.section.c_str(), true);
  bool written = false;
  try {
    bool failed;
    if (procedure.hasRuleFunction()) {
      failed = pl::Functions::equalsNumber(runRuleFunction(ctx, topic, procedure), 0);
    } else {
      failed = (topic->*procedure.failed)(ctx);
    }
    if (failed) {
      writeProblem(ctx, record, id, pl::ProblemInfoType::kGeneral, nullptr, topic->hf_fehlertext);
      written = true;
    }
  } catch (const std::bad_alloc&) {
    // Out of memory ends the whole check, so that the host learns of it
    // instead of a finding that may be lost.
    ctx->leaveCurrentSection();
    throw;
  } catch (...) {
    CaughtException caught(CaughtException::Pointer::kFree);
    logExecutionError(ctx, id, caught.message());
    try {
      writeProblem(ctx, record, id, pl::ProblemInfoType::kGeneral, caught.message(),
                   topic->hf_fehlertext);
    } catch (...) {
      // Out of memory while reporting: nothing more can be said here.
    }
    written = true;
  }
  ctx->leaveCurrentSection();
  return ctx->createBoolValue(written);
}

void StandardAblauf(pl::RuntimeContext* ctx, RuleTopic* topic) {
  ctx->startNewSection(texts::kStandardAblaufSection, false);
  try {
    const TopicSpec& catalogue = topic->catalogue();
    for (const ProcedureSpec& procedure : catalogue.checks.procedures)
      runCheckProcedure(ctx, topic, procedure);
    if (catalogue.run_blocks != nullptr) (topic->*catalogue.run_blocks)(ctx);
  } catch (...) {
    CaughtException caught(CaughtException::Pointer::kKeep);
    logExecutionError(ctx, texts::kStandardAblauf, caught.message());
    ctx->leaveCurrentSection();
    throw;
  }
  ctx->leaveCurrentSection();
}

}  // namespace vexal::machinery
