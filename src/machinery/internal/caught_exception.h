// What the check shapes learn from an exception they catch.

#ifndef VEXAL_MACHINERY_INTERNAL_CAUGHT_EXCEPTION_H_
#define VEXAL_MACHINERY_INTERNAL_CAUGHT_EXCEPTION_H_

// Only the machinery itself (and its white-box tests) includes this header:
// record types and shared rules reach the machinery through its public
// headers.
#if !defined(VEXAL_LAYER_MACHINERY) && !defined(VEXAL_WHITE_BOX_TESTS)
#error "machinery/internal/ is the check machinery's own"
#endif

#include <memory>

#include "pl/plausi_exception.h"

namespace pl {
class RuntimeContext;
}

namespace vexal::machinery {

// The exception being handled, seen as a check reports it: a
// PlausiException with its message; one thrown as a heap pointer (topic
// arrays do that) with its message too; anything else as a PlausiException
// of type 0 made for the purpose, which carries no message of its own.
// Create it inside a catch block only.
class CaughtException {
 public:
  enum class Pointer {
    kKeep,  // the exception is thrown on: leave a pointer exception alone
    kFree,  // the exception ends here: free a pointer exception
  };

  explicit CaughtException(Pointer pointer);
  CaughtException(const CaughtException&) = delete;
  CaughtException& operator=(const CaughtException&) = delete;

  const char* message() const { return exception_->getMessage(); }

 private:
  pl::PlausiException fallback_{pl::ExceptionType::kUnspecified};
  std::unique_ptr<pl::PlausiException> freed_;
  const pl::PlausiException* exception_ = &fallback_;
};

// Writes the error line "Fehler während Ausführung: <name> (<message>)".
[[gnu::cold]] void logExecutionError(pl::RuntimeContext* ctx, const char* name,
                                     const char* message);

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_INTERNAL_CAUGHT_EXCEPTION_H_
