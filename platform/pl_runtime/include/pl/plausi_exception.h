// The one exception type of the rule runtime.

#ifndef VEXAL_RUNTIME_PL_PLAUSI_EXCEPTION_H_
#define VEXAL_RUNTIME_PL_PLAUSI_EXCEPTION_H_

#include <exception>
#include <string>

#include "pl/types.h"

namespace pl {

// An error raised by the runtime or by a rule set. Carries an ExceptionType
// and a Latin-1 message. Rule sets throw it by value; the topic arrays throw
// element-access errors as a heap pointer, which the catch-all paths of the
// check machinery recognise and free.
class PlausiException : public std::exception {
 public:
  // The message reported for an exception made without one.
  static constexpr const char* kNoMessage = "Unbekannter Fehler.";

  explicit PlausiException(ExceptionType type);
  PlausiException(ExceptionType type, const char* message);
  PlausiException(ExceptionType type, std::string message);

  ExceptionType getType() const noexcept { return type_; }
  // Never null; kNoMessage when the exception was made without a message.
  const char* getMessage() const noexcept;
  bool hasMessage() const noexcept { return has_message_; }
  const char* what() const noexcept override { return getMessage(); }

 private:
  ExceptionType type_;
  bool has_message_;
  std::string message_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_PLAUSI_EXCEPTION_H_
