#include "machinery/field_check.h"

#include <cstddef>
#include <new>
#include <optional>

#include "machinery/internal/caught_exception.h"
#include "machinery/internal/check_section.h"
#include "machinery/internal/problem.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::machinery {

using pl::Functions;

namespace {

// A field check with its section and the current field, for a field that
// fails, an error, or a section observer. Kept out of runFieldCheck, so
// that the common way through it stays short.
[[gnu::cold, gnu::noinline]] pl::Value* runFieldCheckFully(
    pl::RuntimeContext* ctx, pl::Field* field, const RecordCatalogue& record,
    const FieldRow& catalogue, const char* section, const char* check_name) {
  CheckSection check_section(ctx, section, true);
  ctx->setCurrentField(field);
  bool written = false;
  try {
    // A field's value is the same for every read within a record.
    std::optional<pl::ProblemInfoType> found = failedFieldTest(field->get(ctx), catalogue);
    if (found) {
      check_section.write(
          [&] { writeProblem(ctx, record, catalogue.name, *found, nullptr, nullptr); });
      written = true;
    }
  } catch (const std::bad_alloc&) {
    // Out of memory ends the whole check (see runCheckProcedure).
    ctx->setCurrentField(nullptr);
    throw;
  } catch (...) {
    CaughtException caught(CaughtException::Pointer::kFree);
    logExecutionError(ctx, check_name, caught.message());
    try {
      check_section.write([&] {
        writeProblem(ctx, record, catalogue.name, pl::ProblemInfoType::kGeneral, caught.message(),
                     nullptr);
      });
    } catch (...) {
      // Out of memory while reporting: nothing more can be said here.
    }
    written = true;
  }
  ctx->setCurrentField(nullptr);
  return ctx->createBoolValue(written);
}

}  // namespace

pl::Value* runFieldCheck(pl::RuntimeContext* ctx, pl::Field* field, const RecordCatalogue& record,
                         const FieldRow& catalogue, const char* section, const char* check_name) {
  // Most fields are texts that pass, and unobserved, nothing needs opening
  // for that. Everything else takes the full run, which tests again.
  if (!ctx->hasSectionObserver()) {
    if (const auto* text = pl::as<pl::StringValue>(field->get(ctx));
        text != nullptr && text->size() <= catalogue.length &&
        (catalogue.runtimeType() != pl::FieldType::kNumeric || !failedFieldTest(text, catalogue))) {
      ctx->setCurrentField(nullptr);
      return ctx->createBoolValue(false);
    }
  }
  return runFieldCheckFully(ctx, field, record, catalogue, section, check_name);
}

}  // namespace vexal::machinery
