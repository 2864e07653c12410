// libvexal, loaded the way every host loads it: by path, through its
// twenty exports.

#ifndef VEXAL_HOST_CORE_LIBRARY_H_
#define VEXAL_HOST_CORE_LIBRARY_H_

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "core/record_type.h"
#include "core/shared_library.h"
#include "model/record_definition.h"
#include "pl/plausi.h"

namespace vexal::core {

struct LoadedRecordType;

// The loaded library and its twenty exports, resolved once. Makes a new
// rule set and layout of a record type on each request and takes them
// back; it keeps none itself, so one library serves any number of
// checkers, each with rule sets of its own. Owns the library handle.
// Immutable once open: safe to share between threads.
class Library {
 public:
  // Null, with error set, when the library cannot be loaded.
  static std::unique_ptr<Library> open(const std::string& path, std::string& error);

  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // Fills loaded (whose record_type names one of kRecordTypes) with a new
  // rule set and layout, or sets its error. Throws std::bad_alloc only,
  // and then leaves nothing loaded.
  void load(LoadedRecordType& loaded) const;
  // Hands back what load() made; loaded is empty afterwards.
  void unload(LoadedRecordType& loaded) const;

 private:
  using LoadPlausi = pl::Plausi* (*)();
  using UnloadPlausi = void (*)(pl::Plausi*);
  using LoadDefinition = RecordDefinition* (*)();
  using UnloadDefinition = void (*)(RecordDefinition*);

  struct Exports {
    LoadPlausi load_plausi = nullptr;
    UnloadPlausi unload_plausi = nullptr;
    LoadDefinition load_definition = nullptr;
    UnloadDefinition unload_definition = nullptr;

    bool complete() const {
      return load_plausi && unload_plausi && load_definition && unload_definition;
    }
  };

  explicit Library(SharedLibrary library);
  const Exports* exportsOf(const std::string& record_type) const;

  SharedLibrary library_;
  std::array<Exports, kRecordTypes.size()> exports_;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_LIBRARY_H_
