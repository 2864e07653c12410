#include "cli/platform_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "core/windows_text.h"
#endif

namespace vexal::cli {

#ifdef _WIN32

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> programArguments(int, char**) { return core::wideArguments(); }

#else

void useBinaryStandardStreams() {}

std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

}  // namespace vexal::cli
