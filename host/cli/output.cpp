// Buffered output, standard streams, program arguments and where the
// program finds libvexal.

#include "cli/output.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "core/windows_text.h"
#else
#include <unistd.h>
#endif

#include "core/shared_library.h"

namespace vexal::cli {

Output::Output(std::FILE* stream) : stream_(stream) {
  if (stream_ != nullptr) buffer_.reserve(kFlushSize + (64 << 10));
}

Output::~Output() { flush(); }

void Output::write(std::string_view text) {
  if (stream_ == nullptr || text.size() < kFlushSize / 4) {
    buffer_.append(text);
    written();
    return;
  }
  flush();
  if (before_write_) before_write_();
  if (!writeText(stream_, text)) fail();
}

void Output::fail() {
  if (!failed_) error_ = errno;
  failed_ = true;
}

std::string Output::failure() const {
  if (!failed_) return {};
  return error_ != 0 ? std::strerror(error_) : "the stream reported an error";
}

void Output::flush() {
  if (stream_ == nullptr) return;
  if (!buffer_.empty()) {
    if (before_write_) before_write_();
    if (!writeText(stream_, buffer_)) fail();
    buffer_.clear();
  }
  if (std::fflush(stream_) != 0) fail();
}

#ifdef _WIN32

bool writeText(std::FILE* stream, std::string_view text) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  }
  // What stdio still holds goes first, as bytes, then the text as UTF-16.
  if (std::fflush(stream) != 0) return false;
  if (core::writeConsole(handle, text)) return true;
  errno = EIO;
  return false;
}

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> programArguments(int, char**) { return core::wideArguments(); }

#else

bool writeText(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

void useBinaryStandardStreams() {}

std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

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
