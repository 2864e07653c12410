#include "cli/library.h"

#include <exception>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "pl/plausi_exception.h"

namespace vexal::cli {
namespace {

template <class F>
F resolve(const SharedLibrary& library, const std::string& name) {
  return reinterpret_cast<F>(library.symbol(name.c_str()));
}

}  // namespace

std::unique_ptr<Library> Library::open(const std::string& path, std::string& error) {
  SharedLibrary library = SharedLibrary::open(path, error);
  if (!library.loaded()) return nullptr;
  return std::unique_ptr<Library>(new Library(std::move(library)));
}

std::string Library::defaultPath() {
  const std::string beside = programFolder() + defaultLibraryName();
#if defined(VEXAL_INSTALLED_LIBRARY_FOLDER) && !defined(_WIN32)
  if (access(beside.c_str(), F_OK) != 0) {
    const std::string installed =
        programFolder() + VEXAL_INSTALLED_LIBRARY_FOLDER "/" + defaultLibraryName();
    if (access(installed.c_str(), F_OK) == 0) return installed;
  }
#endif
  return beside;
}

Library::Library(SharedLibrary library) : library_(std::move(library)) {
  for (std::size_t t = 0; t < kRecordTypes.size(); ++t) {
    Entry& entry = entries_[t];
    const std::string code = kRecordTypes[t];
    entry.loaded.record_type = code;
    entry.load_plausi = resolve<LoadPlausi>(library_, "loadPlausi" + code);
    entry.unload_plausi = resolve<UnloadPlausi>(library_, "unloadPlausi" + code);
    entry.load_definition = resolve<LoadDefinition>(library_, "loadRecordDefinition" + code);
    entry.unload_definition = resolve<UnloadDefinition>(library_, "unloadRecordDefinition" + code);
  }
}

Library::~Library() {
  for (Entry& entry : entries_) {
    if (entry.loaded.plausi != nullptr) entry.unload_plausi(entry.loaded.plausi);
    if (entry.loaded.definition != nullptr) {
      entry.unload_definition(const_cast<RecordDefinition*>(entry.loaded.definition));
    }
  }
}

const LoadedRecordType* Library::find(std::string_view record_type) {
  for (Entry& entry : entries_) {
    if (entry.loaded.record_type != record_type) continue;
    if (!entry.tried) {
      entry.tried = true;
      load(entry);
    }
    return &entry.loaded;
  }
  return nullptr;
}

void Library::load(Entry& entry) {
  LoadedRecordType& loaded = entry.loaded;
  if (!entry.load_plausi || !entry.unload_plausi || !entry.load_definition ||
      !entry.unload_definition) {
    loaded.error = "the library lacks the exports of " + loaded.record_type;
    return;
  }
  try {
    loaded.plausi = entry.load_plausi();
    loaded.definition = entry.load_definition();
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

}  // namespace vexal::cli
