// Where `vexal` finds libvexal unless --library names it.

#ifndef VEXAL_HOST_CLI_LIBRARY_PATH_H_
#define VEXAL_HOST_CLI_LIBRARY_PATH_H_

#include <string>

namespace vexal::cli {

// The library next to the running program, or, when the program is
// installed, in the library folder beside its own.
std::string defaultLibraryPath();

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_LIBRARY_PATH_H_
