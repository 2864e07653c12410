#include "machinery/internal/check_procedure.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <span>
#include <string_view>

#include "machinery/internal/caught_exception.h"
#include "machinery/internal/check_section.h"
#include "machinery/internal/problem.h"
#include "machinery/rule_function.h"
#include "machinery/rule_topic.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::machinery {

void failRuleFunction(pl::RuntimeContext* ctx, const FunctionName& function, bool section_opened) {
  CaughtException caught(CaughtException::Pointer::kKeep);
  logExecutionError(ctx, function.name.c_str(), caught.message());
  ctx->leaveQuietSection(section_opened);
}

RuleCall::RuleCall(pl::RuntimeContext* ctx, RuleTopic& topic, const ProcedureRow& check)
    : ctx_(ctx), topic_(topic), check_(check) {}

void RuleCall::failWith(const char* text) { failWith(ctx_->createStringValue(text)); }

void RuleCall::failWith(pl::Value* text) {
  topic_.hf_fehlertext->set(text);
  result_ = 0;
}

namespace {

// The rule function's tests; the result number it answers. Its section is
// a quiet one: no finding is written in it.
int runRuleTests(pl::RuntimeContext* ctx, RuleTopic* topic, const ProcedureRow& check) {
  if (check.clears_text) topic->hf_fehlertext->setInvalid();
  const bool opened = ctx->startQuietSection(check.function.section.c_str(), false);
  int result;
  try {
    RuleCall rule(ctx, *topic, check);
    const Step* step = topic->catalogue().checks.steps.data() + check.first_step;
    for (const Step* end = step + check.step_count; step != end; ++step) {
      if (rule.ok() || step->always) rule.run(*step);
    }
    result = rule.result();
  } catch (...) {
    failRuleFunction(ctx, check.function, opened);
    throw;
  }
  ctx->leaveQuietSection(opened);
  return result;
}

}  // namespace

pl::Value* runRuleFunction(pl::RuntimeContext* ctx, RuleTopic* topic, const ProcedureRow& check) {
  return ctx->createNumberValue(runRuleTests(ctx, topic, check));
}

namespace {

[[gnu::cold, gnu::noinline]] void traceSkipped(pl::RuntimeContext* ctx,
                                               const ProcedureRow& procedure) {
  ctx->getLogger().trace() << procedure.name.skipped.c_str();
}

// Logs the exception being handled under the procedure's name and reports
// it as the procedure's finding. Call it from a catch block only.
[[gnu::cold, gnu::noinline]] void reportProcedureError(pl::RuntimeContext* ctx, RuleTopic* topic,
                                                       const RecordCatalogue& record,
                                                       const ProcedureRow& procedure,
                                                       CheckSection& section) {
  const char* id = procedure.name.name.c_str();
  CaughtException caught(CaughtException::Pointer::kFree);
  logExecutionError(ctx, id, caught.message());
  try {
    section.write([&] {
      writeProcedureProblem(ctx, record, topic->catalogue(), procedure, caught.message(),
                            topic->hf_fehlertext);
    });
  } catch (...) {
    // Out of memory while reporting: nothing more can be said here.
  }
}

}  // namespace

bool runCheckProcedure(pl::RuntimeContext* ctx, RuleTopic* topic, const RecordCatalogue& record,
                       const ProcedureRow& procedure) {
  if (ctx->getProblemWeightLevel() > 1) {
    traceSkipped(ctx, procedure);
    return false;
  }
  CheckSection section(ctx, procedure.name.section.c_str(), true);
  try {
    // The rule function's answer is a number; the check fails on 0.
    const bool failed = procedure.hasRuleFunction() ? runRuleTests(ctx, topic, procedure) == 0
                                                    : (topic->*procedure.failed)(ctx);
    if (!failed) return false;
    section.write([&] {
      writeProcedureProblem(ctx, record, topic->catalogue(), procedure, nullptr,
                            topic->hf_fehlertext);
    });
  } catch (const std::bad_alloc&) {
    // Out of memory ends the whole check, so that the host learns of it
    // instead of a finding that may be lost.
    throw;
  } catch (...) {
    reportProcedureError(ctx, topic, record, procedure, section);
  }
  return true;
}

namespace {

// What runCheckProcedure does for a procedure with a rule function while no
// section observer listens and every procedure runs: the same tests, log
// lines and findings, without the sections that nobody would see. The
// tests run inline; what fails goes to the functions below.
inline int runTestsQuietly(pl::RuntimeContext* ctx, RuleTopic* topic, const Step* steps,
                           const ProcedureRow& check, pl::Value* value) {
  if (check.clears_text) topic->hf_fehlertext->setInvalid();
  RuleCall rule(ctx, *topic, check, value);
  const Step* step = steps + check.first_step;
  for (const Step* end = step + check.step_count; step != end; ++step) {
    if (rule.ok() || step->always) rule.run(*step);
  }
  return rule.result();
}

// Whether the value meets what the procedure's tests need to pass (see
// PassWhen): then they would all pass and leave no trace but the cleared
// text, unobserved.
inline bool passesOnValue(const ProcedureRow& procedure, const Step* steps,
                          const pl::Value* value) {
  const unsigned when = procedure.pass_when;
  if (when == 0) return true;
  if (when & kPassRuns) return false;
  const auto* text = pl::as<pl::StringValue>(value);
  if (text == nullptr) return false;
  if ((when & kPassWithinLength) && text->size() > procedure.field_length) return false;
  if (when & (kPassNotBlank | kPassOnlyBlanks)) {
    const std::string_view bytes = text->view();
    const bool only_blanks = bytes.find_first_not_of(' ') == std::string_view::npos;
    if (only_blanks != ((when & kPassOnlyBlanks) != 0)) return false;
  }
  if ((when & kPassDigits) && !pl::Functions::isNumericText(text)) return false;
  if (when & kPassOneOf) {
    const Step* step = steps + procedure.first_step;
    for (const Step* end = step + procedure.step_count; step != end; ++step) {
      if ((step->pass_when & kPassOneOf) == 0) continue;
      const std::span<const std::string_view> literals = step->literalList();
      if (std::none_of(literals.begin(), literals.end(), [text](std::string_view literal) {
            return pl::Functions::equalsText(text, literal);
          })) {
        return false;
      }
    }
  }
  return true;
}

// The finding of a procedure whose rule function answered 0.
[[gnu::cold, gnu::noinline]] void writeQuietFinding(pl::RuntimeContext* ctx, RuleTopic* topic,
                                                    const RecordCatalogue& record,
                                                    const ProcedureRow& procedure) {
  CheckSection section(ctx, procedure.name.section.c_str(), true);
  try {
    section.write([&] {
      writeProcedureProblem(ctx, record, topic->catalogue(), procedure, nullptr,
                            topic->hf_fehlertext);
    });
  } catch (const std::bad_alloc&) {
    throw;  // ends the whole check (see runCheckProcedure)
  } catch (...) {
    reportProcedureError(ctx, topic, record, procedure, section);
  }
}

// The exception being handled came out of a procedure's rule function:
// logged under the function's name, then under the procedure's and
// reported. From a catch block only.
[[gnu::cold, gnu::noinline]] void reportQuietFailure(pl::RuntimeContext* ctx, RuleTopic* topic,
                                                     const RecordCatalogue& record,
                                                     const ProcedureRow& procedure) {
  CheckSection section(ctx, procedure.name.section.c_str(), true);
  try {
    failRuleFunction(ctx, procedure.function, false);
  } catch (...) {
    reportProcedureError(ctx, topic, record, procedure, section);  // logging failed
    return;
  }
  reportProcedureError(ctx, topic, record, procedure, section);
}

}  // namespace

void StandardAblauf(pl::RuntimeContext* ctx, RuleTopic* topic) {
  ctx->startNewSection(texts::kStandardAblaufSection, false);
  try {
    const TopicTable& catalogue = topic->catalogue();
    const RecordCatalogue& record = topic->record();
    const Step* steps = catalogue.checks.steps.data();
    const std::span<const ProcedureRow> procedures = catalogue.checks.procedures;
    // The value of the next procedure's field is read one procedure ahead:
    // a chain of loads that then runs alongside the tests before it.
    auto fieldValue = [&](std::size_t i) {
      return i < procedures.size()
                 ? topic->field(static_cast<std::size_t>(procedures[i].field))->get(ctx)
                 : nullptr;
    };
    pl::Value* next_value = fieldValue(0);
    // Neither changes while the procedures run.
    const bool quiet = !ctx->hasSectionObserver() && ctx->getProblemWeightLevel() <= 1;
    for (std::size_t i = 0; i < procedures.size(); ++i) {
      const ProcedureRow& procedure = procedures[i];
      pl::Value* value = next_value;
      next_value = fieldValue(i + 1);
      if (quiet && passesOnValue(procedure, steps, value)) {
        if (procedure.clears_text) topic->hf_fehlertext->setInvalid();
        continue;
      }
      if (quiet && procedure.hasRuleFunction()) {
        int result;
        try {
          result = runTestsQuietly(ctx, topic, steps, procedure, value);
        } catch (const std::bad_alloc&) {
          throw;  // ends the whole check (see runCheckProcedure)
        } catch (...) {
          reportQuietFailure(ctx, topic, record, procedure);
          continue;
        }
        if (result == 0) writeQuietFinding(ctx, topic, record, procedure);
        continue;
      }
      runCheckProcedure(ctx, topic, record, procedure);
    }
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
