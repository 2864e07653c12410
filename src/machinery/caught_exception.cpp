#include "machinery/internal/caught_exception.h"

#include "machinery/texts.h"
#include "pl/runtime_context.h"

namespace vexal::machinery {

CaughtException::CaughtException(Pointer pointer) {
  try {
    throw;
  } catch (const pl::PlausiException& e) {
    // Alive while the enclosing handler runs.
    exception_ = &e;
  } catch (pl::PlausiException* e) {
    if (e != nullptr) exception_ = e;
    if (pointer == Pointer::kFree) freed_.reset(e);
  } catch (...) {
  }
}

void logExecutionError(pl::RuntimeContext* ctx, const char* name, const char* message) {
  ctx->getLogger().error() << texts::kErrorDuringExecution << name << " (" << message << ")";
}

}  // namespace vexal::machinery
