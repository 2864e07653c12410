#include "cli/library_path.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/shared_library.h"

namespace vexal::cli {

std::string defaultLibraryPath() {
  const std::string folder = core::programFolder();
  const std::string beside = folder + core::defaultLibraryName();
#if defined(VEXAL_INSTALLED_LIBRARY_FOLDER) && !defined(_WIN32)
  if (access(beside.c_str(), F_OK) != 0) {
    const std::string installed =
        folder + VEXAL_INSTALLED_LIBRARY_FOLDER "/" + core::defaultLibraryName();
    if (access(installed.c_str(), F_OK) == 0) return installed;
  }
#endif
  return beside;
}

}  // namespace vexal::cli
