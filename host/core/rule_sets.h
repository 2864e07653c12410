// The rule sets and record layouts a checker checks with.

#ifndef VEXAL_HOST_CORE_RULE_SETS_H_
#define VEXAL_HOST_CORE_RULE_SETS_H_

#include <array>
#include <string>
#include <string_view>

#include "core/library.h"
#include "core/record_type.h"
#include "model/record_definition.h"
#include "pl/plausi.h"

namespace vexal::core {

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
// use and keeping them until it is destroyed. A rule set serves one check
// at a time, so a provider serves one thread at a time.
class RuleSetProvider {
 public:
  virtual ~RuleSetProvider() = default;
  // Null for a record type the provider does not know.
  virtual const LoadedRecordType* find(std::string_view record_type) = 0;
};

// The rule sets of one checker, made from a Library: each record type's
// rule set and layout on first use, handed back to the library when this
// is destroyed. Borrows the library, which must outlive it; owns the rule
// sets. Not thread-safe; each thread makes its own from the shared
// library.
class LibraryRuleSets final : public RuleSetProvider {
 public:
  explicit LibraryRuleSets(const Library& library);
  LibraryRuleSets(const LibraryRuleSets&) = delete;
  LibraryRuleSets& operator=(const LibraryRuleSets&) = delete;
  ~LibraryRuleSets() override;

  // Throws std::bad_alloc only; the record type is then tried again on
  // the next call.
  const LoadedRecordType* find(std::string_view record_type) override;

 private:
  struct Entry {
    LoadedRecordType loaded;
    bool tried = false;
  };

  const Library& library_;
  std::array<Entry, kRecordTypes.size()> entries_;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_RULE_SETS_H_
