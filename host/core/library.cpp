#include "core/library.h"

#include <exception>
#include <new>
#include <vector>

#include "core/rule_sets.h"
#include "pl/plausi_exception.h"

namespace vexal::core {
namespace {

template <class F>
F resolve(const SharedLibrary& library, const std::string& name) {
  return reinterpret_cast<F>(library.symbol(name.c_str()));
}

}  // namespace

std::unique_ptr<Library> Library::open(const std::string& path, std::string& error) {
  SharedLibrary library = SharedLibrary::open(path, error);
  if (!library.loaded()) return nullptr;
  std::unique_ptr<Library> opened(new Library(std::move(library)));
  // Another library (libc, say) loads as well; without every export it
  // could check nothing, so it is refused here rather than line by line.
  std::vector<std::string> missing;
  for (std::size_t t = 0; t < kRecordTypes.size(); ++t) {
    const Exports& exports = opened->exports_[t];
    const std::string code = kRecordTypes[t];
    if (!exports.load_plausi) missing.push_back("loadPlausi" + code);
    if (!exports.unload_plausi) missing.push_back("unloadPlausi" + code);
    if (!exports.load_definition) missing.push_back("loadRecordDefinition" + code);
    if (!exports.unload_definition) missing.push_back("unloadRecordDefinition" + code);
  }
  if (missing.empty()) return opened;
  error = "not a libvexal: it lacks " + std::to_string(missing.size()) + " of the " +
          std::to_string(4 * kRecordTypes.size()) + " exports (";
  constexpr std::size_t kNamed = 4;
  for (std::size_t i = 0; i < missing.size() && i < kNamed; ++i) {
    error.append(i > 0 ? ", " : "").append(missing[i]);
  }
  error.append(missing.size() > kNamed ? ", ...)" : ")");
  return nullptr;
}

Library::Library(SharedLibrary library) : library_(std::move(library)) {
  for (std::size_t t = 0; t < kRecordTypes.size(); ++t) {
    Exports& exports = exports_[t];
    const std::string code = kRecordTypes[t];
    exports.load_plausi = resolve<LoadPlausi>(library_, "loadPlausi" + code);
    exports.unload_plausi = resolve<UnloadPlausi>(library_, "unloadPlausi" + code);
    exports.load_definition = resolve<LoadDefinition>(library_, "loadRecordDefinition" + code);
    exports.unload_definition =
        resolve<UnloadDefinition>(library_, "unloadRecordDefinition" + code);
  }
}

const Library::Exports* Library::exportsOf(const std::string& record_type) const {
  for (std::size_t t = 0; t < kRecordTypes.size(); ++t) {
    if (record_type == kRecordTypes[t]) return &exports_[t];
  }
  return nullptr;
}

void Library::load(LoadedRecordType& loaded) const {
  unload(loaded);
  loaded.error.clear();
  const Exports* exports = exportsOf(loaded.record_type);
  if (exports == nullptr || !exports->complete()) {
    loaded.error = "the library lacks the exports of " + loaded.record_type;
    return;
  }
  try {
    loaded.plausi = exports->load_plausi();
    loaded.definition = exports->load_definition();
  } catch (const std::bad_alloc&) {
    unload(loaded);
    throw;
  } catch (const pl::PlausiException& e) {
    loaded.error = std::string("loading failed: ") + e.getMessage();
  } catch (const std::exception& e) {
    loaded.error = std::string("loading failed: ") + e.what();
  } catch (...) {
    loaded.error = "loading failed";
  }
  if (loaded.error.empty() && loaded.plausi == nullptr) loaded.error = "no rule set";
  if (loaded.error.empty() && loaded.definition == nullptr) loaded.error = "no record layout";
}

void Library::unload(LoadedRecordType& loaded) const {
  const Exports* exports = exportsOf(loaded.record_type);
  if (exports != nullptr && exports->complete()) {
    if (loaded.plausi != nullptr) exports->unload_plausi(loaded.plausi);
    if (loaded.definition != nullptr) {
      exports->unload_definition(const_cast<RecordDefinition*>(loaded.definition));
    }
  }
  loaded.plausi = nullptr;
  loaded.definition = nullptr;
}

}  // namespace vexal::core
