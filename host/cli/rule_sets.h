// The rule sets and record layouts a host checks with.

#ifndef VEXAL_HOST_CLI_RULE_SETS_H_
#define VEXAL_HOST_CLI_RULE_SETS_H_

#include <string>
#include <string_view>

#include "model/record_definition.h"
#include "pl/plausi.h"

namespace vexal::cli {

// The rule set and layout of one record type, as loaded. Both belong to
// the RuleSetProvider that loaded them.
struct LoadedRecordType {
  std::string record_type;
  pl::Plausi* plausi = nullptr;
  const RecordDefinition* definition = nullptr;
  std::string error;  // why loading failed; empty otherwise

  bool loaded() const { return plausi != nullptr && definition != nullptr; }
  // Whether the record type has a catalogue yet: a record type still to be
  // written comes with a layout of no fields.
  bool built() const { return loaded() && definition->getFieldDefinitionCount() > 0; }
};

// Hands out each record type's rule set and layout, loading them on first
// use and keeping them until it is destroyed.
class RuleSetProvider {
 public:
  virtual ~RuleSetProvider() = default;
  // Null for a record type the provider does not know.
  virtual const LoadedRecordType* find(std::string_view record_type) = 0;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_RULE_SETS_H_
