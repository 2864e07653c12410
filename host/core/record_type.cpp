#include "core/record_type.h"

#include <cstring>

namespace vexal::core {
namespace {

constexpr std::size_t kKindLength = 4;      // characters 1-4
constexpr std::size_t kVersionOffset = 39;  // characters 40-41
constexpr std::size_t kVersionLength = 2;

// The printable form of a few bytes for a message: as they are, but with
// control characters shown as '?'.
std::string shown(std::string_view bytes) {
  std::string text(bytes);
  for (char& c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return text;
}

}  // namespace

bool isRecordType(std::string_view name) {
  for (const char* type : kRecordTypes) {
    if (name == type) return true;
  }
  return false;
}

std::string recordTypeChoices() {
  std::string text;
  const std::size_t count = kRecordTypes.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text.append(i + 1 < count ? ", " : " or ");
    text.append(kRecordTypes[i]);
  }
  return text;
}

bool recordTypeKey(std::string_view line, RecordTypeKey& key) {
  static_assert(kRecordTypeKeyLength == kVersionOffset + kVersionLength);
  if (line.size() < kRecordTypeKeyLength) return false;
  std::memcpy(key.data(), line.data(), kKindLength);
  std::memcpy(key.data() + kKindLength, line.data() + kVersionOffset, kVersionLength);
  return true;
}

Detection detectRecordType(std::string_view line) {
  Detection result;
  const std::string_view kind = line.substr(0, kKindLength);
  const char* only = nullptr;  // the one type of this kind, if there is one
  int types_of_kind = 0;
  for (const char* type : kRecordTypes) {
    if (std::string_view(type).substr(0, kKindLength) == kind) {
      only = type;
      ++types_of_kind;
    }
  }
  if (types_of_kind == 0) {
    result.reason = "unknown record identifier \"" + shown(kind) + "\" in characters 1-4";
    return result;
  }
  if (types_of_kind == 1) {
    result.record_type = only;
    return result;
  }
  if (line.size() < kVersionOffset + kVersionLength) {
    result.reason = std::string(kind) + " record too short for its version field (characters " +
                    "40-41): " + std::to_string(line.size()) + " characters";
    return result;
  }
  const std::string_view version = line.substr(kVersionOffset, kVersionLength);
  for (const char* type : kRecordTypes) {
    const std::string_view name(type);
    if (name.substr(0, kKindLength) == kind &&
        name.substr(name.size() - kVersionLength) == version) {
      result.record_type = type;
      return result;
    }
  }
  result.reason = std::string(kind) + " record with unknown version \"" + shown(version) +
                  "\" in characters 40-41";
  return result;
}

}  // namespace vexal::core
