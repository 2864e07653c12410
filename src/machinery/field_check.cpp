#include "machinery/field_check.h"

#include <cstddef>
#include <new>
#include <optional>

#include "machinery/internal/caught_exception.h"
#include "machinery/internal/problem.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

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
    // A field's value is the same for every read within a record.
    pl::Value* value = feature.get(ctx);
    auto too_long = [&] {
      std::optional<std::size_t> length = Functions::length(value);
      return length && *length > catalogue.length;
    };
    auto not_conform = [&] { return !Functions::conforms(value, type, mask); };
    if (catalogue.presence == Presence::kMandatory) {
      if (value->isInvalid()) {
        write(pl::ProblemInfoType::kInvalid);
      } else if (too_long()) {
        write(pl::ProblemInfoType::kTooLong);
      } else if (not_conform()) {
        write(pl::ProblemInfoType::kNotTypeConform);
      }
    } else {
      if (!value->isInvalid() && too_long()) {
        write(pl::ProblemInfoType::kTooLong);
      } else if (not_conform()) {
        write(pl::ProblemInfoType::kNotTypeConform);
      }
    }
  } catch (const std::bad_alloc&) {
    // Out of memory ends the whole check (see runCheckProcedure).
    ctx->setCurrentField(nullptr);
    ctx->leaveCurrentSection();
    throw;
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
