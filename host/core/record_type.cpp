#include "core/record_type.h"

namespace vexal::core {
namespace {

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

Detection detectRecordType(std::string_view line) {
  Detection result;
  std::string_view kind = line.substr(0, 4);
  if (kind == "DSKO") {
    result.record_type = "DSKO_04";
    return result;
  }
  if (kind != "DSAS" && kind != "DSLN") {
    result.reason = "unknown record identifier \"" + shown(kind) + "\" in characters 1-4";
    return result;
  }
  if (line.size() < kVersionOffset + kVersionLength) {
    result.reason = std::string(kind) + " record too short for its version field (characters " +
                    "40-41): " + std::to_string(line.size()) + " characters";
    return result;
  }
  std::string_view version = line.substr(kVersionOffset, kVersionLength);
  const bool dsas = kind == "DSAS";
  if (version == "01") {
    result.record_type = dsas ? "DSAS_01" : "DSLN_01";
  } else if (version == "02") {
    result.record_type = dsas ? "DSAS_02" : "DSLN_02";
  } else {
    result.reason = std::string(kind) + " record with unknown version \"" + shown(version) +
                    "\" in characters 40-41";
  }
  return result;
}

}  // namespace vexal::core
