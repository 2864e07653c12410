#include "core/line_result.h"

namespace vexal::core {

std::string lengthWarning(std::size_t expected_length, std::size_t actual_length) {
  return std::string(actual_length < expected_length ? "record too short: " : "record too long: ") +
         std::to_string(actual_length) + " characters, its layout implies " +
         std::to_string(expected_length);
}

}  // namespace vexal::core
