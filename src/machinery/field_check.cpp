#include "machinery/field_check.h"

#include "machinery/caught_exception.h"
#include "machinery/problem.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"

namespace vexal::machinery {

using pl::Functions;

pl::Value* runFieldCheck(pl::RuntimeContext* ctx, pl::Field* field, const RecordSpec& record,
                         const FieldSpec& catalogue, const char* section, const char* check_name) {
  ctx->startNewSection(section, true);
  ctx->setCurrentField(field);
  bool written = false;
  auto write = [&](pl::ProblemInfoType info_type) {
    writeProblem(ctx, record, catalogue.name, info_type, nullptr, nullptr);
    written = true;
  };
  try {
    pl::FeatureField feature(field);
    const pl::FieldType type = catalogue.runtimeType();
    const char* mask = maskOf(catalogue);
    pl::Value* length = ctx->createNumberValue(catalogue.length);
    auto too_long = [&] {
      return Functions::gt(ctx, Functions::WERTLAENGE(ctx, feature.get(ctx)), length)->isTrue();
    };
    auto not_conform = [&] {
      return Functions::not_(ctx, Functions::isTypeConform(ctx, feature.get(ctx), type, mask))
          ->isTrue();
    };
    if (catalogue.presence == Presence::kMandatory) {
      if (Functions::eq(ctx, feature.get(ctx), ctx->createInvalidValue())->isTrue()) {
        write(pl::ProblemInfoType::kInvalid);
      } else if (too_long()) {
        write(pl::ProblemInfoType::kTooLong);
      } else if (not_conform()) {
        write(pl::ProblemInfoType::kNotTypeConform);
      }
    } else {
      if (Functions::ne(ctx, feature.get(ctx), ctx->createInvalidValue())->isTrue() && too_long()) {
        write(pl::ProblemInfoType::kTooLong);
      } else if (not_conform()) {
        write(pl::ProblemInfoType::kNotTypeConform);
      }
    }
  } catch (...) {
    CaughtException caught(CaughtException::Pointer::kFree);
    logExecutionError(ctx, check_name, caught.message());
    try {
      writeProblem(ctx, record, catalogue.name, pl::ProblemInfoType::kGeneral, caught.message(),
                   nullptr);
    } catch (...) {
      // Out of memory while reporting: nothing more can be said here.
    }
    written = true;
  }
  ctx->setCurrentField(nullptr);
  ctx->leaveCurrentSection();
  return ctx->createBoolValue(written);
}

}  // namespace vexal::machinery
