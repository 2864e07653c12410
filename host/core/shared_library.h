// Loading a shared library at run time: dlopen on Linux, LoadLibrary on
// Windows.

#ifndef VEXAL_HOST_CORE_SHARED_LIBRARY_H_
#define VEXAL_HOST_CORE_SHARED_LIBRARY_H_

#include <string>

namespace vexal::core {

// One loaded library; unloads it when destroyed. Owns the handle; moves,
// does not copy. Not thread-safe.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;
  ~SharedLibrary();

  // Loads the library at path (UTF-8). On failure the result is not
  // loaded() and error names the reason.
  static SharedLibrary open(const std::string& path, std::string& error);

  bool loaded() const { return handle_ != nullptr; }
  // The address of an exported symbol, or null.
  void* symbol(const char* name) const;

 private:
  void close();
  void* handle_ = nullptr;
};

// The folder of the running program, with a trailing separator; empty when
// it cannot be told.
std::string programFolder();

// The folder of the executable or shared library that holds address (a
// function of it), with a trailing separator; empty when it cannot be
// told.
std::string moduleFolder(const void* address);

// The file name libvexal has on this system: "libvexal.so" or "vexal.dll".
const char* defaultLibraryName();

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_SHARED_LIBRARY_H_
