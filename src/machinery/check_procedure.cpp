#include "machinery/check_procedure.h"

#include "machinery/caught_exception.h"
#include "machinery/problem.h"
#include "machinery/rule_topic.h"
#include "machinery/texts.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::machinery {
namespace {

// eq(result, 0) for the result number of a rule function.
bool isZero(pl::RuntimeContext* ctx, const pl::Value* result) {
  if (result->getKind() == pl::Value::Kind::kNumber) {
    return static_cast<const pl::NumberValue*>(result)->get() == 0;
  }
  return pl::Functions::eq(ctx, result, ctx->createNumberValue(0))->isTrue();
}

}  // namespace

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
    if (procedure.rule != nullptr) {
      pl::Value* result = (topic->*procedure.rule)(ctx);
      failed = isZero(ctx, result);
    } else {
      failed = (topic->*procedure.failed)(ctx);
    }
    if (failed) {
      writeProblem(ctx, record, id, pl::ProblemInfoType::kGeneral, nullptr, topic->hf_fehlertext);
      written = true;
    }
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
    for (const ProcedureSpec& procedure : catalogue.procedures)
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
