#include "core/line_result.h"

#include <charconv>

namespace vexal::core {

void appendLengthWarning(std::string& out, std::size_t expected_length, std::size_t actual_length) {
  char digits[24];
  out.append(actual_length < expected_length ? "record too short: " : "record too long: ");
  out.append(digits, std::to_chars(digits, digits + sizeof digits, actual_length).ptr);
  out.append(" characters, its layout implies ");
  out.append(digits, std::to_chars(digits, digits + sizeof digits, expected_length).ptr);
}

std::string lengthWarning(std::size_t expected_length, std::size_t actual_length) {
  std::string text;
  appendLengthWarning(text, expected_length, actual_length);
  return text;
}

}  // namespace vexal::core
