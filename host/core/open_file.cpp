#include "core/open_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include "core/windows_text.h"
#endif

namespace vexal::core {
namespace {

constexpr char kIsDirectory[] = "Is a directory";

}  // namespace

#ifdef _WIN32

std::FILE* openForReading(const std::string& path, std::string& error, std::int64_t& size) {
  const std::wstring wide = widen(path);
  struct _stat64 status;
  // Windows refuses to open a directory as "Permission denied".
  if (_wstat64(wide.c_str(), &status) == 0 && (status.st_mode & _S_IFDIR) != 0) {
    error = kIsDirectory;
    return nullptr;
  }
  std::FILE* file = _wfopen(wide.c_str(), L"rb");
  if (file == nullptr) {
    error = std::strerror(errno);
    return nullptr;
  }
  size = _fstat64(_fileno(file), &status) == 0 && (status.st_mode & _S_IFREG) != 0 ? status.st_size
                                                                                   : -1;
  return file;
}

#else

std::FILE* openForReading(const std::string& path, std::string& error, std::int64_t& size) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = std::strerror(errno);
    return nullptr;
  }
  struct stat status;
  if (fstat(fileno(file), &status) != 0) {
    size = -1;
  } else if (S_ISDIR(status.st_mode)) {
    // fopen() opens a directory; reading it would fail with EISDIR.
    std::fclose(file);
    error = kIsDirectory;
    return nullptr;
  } else {
    size = S_ISREG(status.st_mode) ? static_cast<std::int64_t>(status.st_size) : -1;
  }
  return file;
}

#endif

}  // namespace vexal::core
