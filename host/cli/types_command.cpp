// vexal types: the record types of the library.

#include <cstdio>

#include "cli/commands.h"
#include "cli/encoding.h"
#include "cli/json.h"
#include "cli/record_type.h"

namespace vexal::cli {
namespace {

// 1.0 as "1.0", 1.25 as "1.25".
std::string shownVersion(double version) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", version);
  std::string shown = text;
  if (shown.find_first_of(".en") == std::string::npos) shown += ".0";
  return shown;
}

}  // namespace

int runTypes(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err) {
  int status = kExitClean;
  std::string json = "[";
  std::string text;
  for (const char* code : kRecordTypes) {
    const LoadedRecordType* type = rule_sets.find(code);
    if (type == nullptr || !type->loaded()) {
      std::fprintf(err, "vexal: cannot load record type %s: %s\n", code,
                   type ? toUtf8(type->error).c_str() : "unknown");
      status = kExitUsage;
      continue;
    }
    const std::string version = shownVersion(type->plausi->getVersion());
    const char* stamp = type->plausi->getBuildStamp();
    const std::size_t fields = type->definition->getFieldDefinitionCount();
    if (json.size() > 1) json += ",";
    json += "{\"record_type\":";
    appendJsonString1252(json, code);
    json += ",\"version\":" + version + ",\"build_stamp\":";
    if (stamp != nullptr) {
      appendJsonString1252(json, stamp);
    } else {
      json += "null";
    }
    json += std::string(",\"built\":") + (type->built() ? "true" : "false") + "}";
    text += std::string(code) + "  version " + version + "  build " + (stamp ? stamp : "-") + "  " +
            (type->built() ? "built (" + std::to_string(fields) + " top-level fields)"
                           : std::string("empty layout"));
    text += "\n";
  }
  json += "]\n";
  if (line.format == Format::kJson) {
    out.append(json);
  } else {
    appendUtf8(out.text(), text);
  }
  out.flush();
  return out.failed() ? kExitUsage : status;
}

}  // namespace vexal::cli
