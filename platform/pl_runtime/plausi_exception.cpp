#include "pl/plausi_exception.h"

#include <utility>

namespace pl {

PlausiException::PlausiException(ExceptionType type) : type_(type), has_message_(false) {}

PlausiException::PlausiException(ExceptionType type, const char* message)
    : type_(type), has_message_(message != nullptr), message_(message ? message : "") {}

PlausiException::PlausiException(ExceptionType type, std::string message)
    : type_(type), has_message_(true), message_(std::move(message)) {}

const char* PlausiException::getMessage() const noexcept {
  return has_message_ ? message_.c_str() : kNoMessage;
}

}  // namespace pl
