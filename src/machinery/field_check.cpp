#include "machinery/field_check.h"

#include "machinery/caught_exception.h"
#include "machinery/problem.h"
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
    // Texts, the values a record supplies, are measured and matched in
    // place; anything else goes through the built-in functions.
    const pl::StringValue* text = value->getKind() == pl::Value::Kind::kString
                                      ? static_cast<const pl::StringValue*>(value)
                                      : nullptr;
    auto too_long = [&] {
      if (text != nullptr) return text->size() > catalogue.length;
      return Functions::gt(ctx, Functions::WERTLAENGE(ctx, value),
                           ctx->createNumberValue(catalogue.length))
          ->isTrue();
    };
    auto not_conform = [&] {
      // Any text conforms to an alphanumeric field without mask.
      if (text != nullptr && type == pl::FieldType::kAlphanumeric && mask == nullptr) return false;
      return Functions::not_(ctx, Functions::isTypeConform(ctx, value, type, mask))->isTrue();
    };
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
