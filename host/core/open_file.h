// Opening record files by name, the same on Linux and Windows.

#ifndef VEXAL_HOST_CORE_OPEN_FILE_H_
#define VEXAL_HOST_CORE_OPEN_FILE_H_

#include <cstdint>
#include <cstdio>
#include <string>

namespace vexal::core {

// Opens a file for reading in binary mode; the path is UTF-8. Null with
// error set when it cannot be opened or is a directory. size gets the
// file's size, or -1 when it has none (a pipe or device).
std::FILE* openForReading(const std::string& path, std::string& error, std::int64_t& size);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_OPEN_FILE_H_
