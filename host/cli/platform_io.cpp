#include "cli/platform_io.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "cli/windows_text.h"
#endif

namespace vexal::cli {

#ifdef _WIN32

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::FILE* openForReading(const std::string& path, std::string& error) {
  std::FILE* file = _wfopen(widen(path).c_str(), L"rb");
  if (file == nullptr) error = std::strerror(errno);
  return file;
}

std::vector<std::string> programArguments(int, char**) { return wideArguments(); }

#else

void useBinaryStandardStreams() {}

std::FILE* openForReading(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) error = std::strerror(errno);
  return file;
}

std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

}  // namespace vexal::cli
