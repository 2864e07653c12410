// vexal layout: the record layout of one record type.

#include "cli/commands.h"
#include "cli/encoding.h"
#include "cli/layout_view.h"

namespace vexal::cli {

int runLayout(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err) {
  const LoadedRecordType* type = rule_sets.find(line.record_type);
  if (type == nullptr || !type->loaded()) {
    std::fprintf(err, "vexal: cannot load record type %s: %s\n", line.record_type.c_str(),
                 type ? toUtf8(type->error).c_str() : "unknown");
    return kExitUsage;
  }
  // The view points into the names.
  const DisplayNames names = DisplayNames::of(type->plausi);
  LayoutView view = describeLayout(*type->definition, names);
  out.append(line.format == Format::kJson ? layoutJson(type->record_type.c_str(), view)
                                          : layoutText(type->record_type.c_str(), view));
  out.flush();
  return out.failed() ? kExitUsage : kExitClean;
}

}  // namespace vexal::cli
