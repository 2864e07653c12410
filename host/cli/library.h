// libvexal, loaded the way every host loads it: by path, through its
// twenty exports.

#ifndef VEXAL_HOST_CLI_LIBRARY_H_
#define VEXAL_HOST_CLI_LIBRARY_H_

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "cli/record_type.h"
#include "cli/rule_sets.h"
#include "cli/shared_library.h"

namespace vexal::cli {

// The loaded library and the rule sets and layouts taken from it. Loads
// each record type once, on first use, and hands everything back through
// the library's unload functions before unloading the library. Owns all of
// it; not thread-safe.
class Library final : public RuleSetProvider {
 public:
  // Null, with error set, when the library cannot be loaded.
  static std::unique_ptr<Library> open(const std::string& path, std::string& error);
  // The library next to the running program, or, when the program is
  // installed, in the library folder beside its own.
  static std::string defaultPath();

  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() override;

  const LoadedRecordType* find(std::string_view record_type) override;

 private:
  using LoadPlausi = pl::Plausi* (*)();
  using UnloadPlausi = void (*)(pl::Plausi*);
  using LoadDefinition = RecordDefinition* (*)();
  using UnloadDefinition = void (*)(RecordDefinition*);

  struct Entry {
    LoadedRecordType loaded;
    bool tried = false;
    LoadPlausi load_plausi = nullptr;
    UnloadPlausi unload_plausi = nullptr;
    LoadDefinition load_definition = nullptr;
    UnloadDefinition unload_definition = nullptr;
  };

  explicit Library(SharedLibrary library);
  void load(Entry& entry);

  SharedLibrary library_;
  std::array<Entry, kRecordTypes.size()> entries_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_LIBRARY_H_
