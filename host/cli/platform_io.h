// Files and standard streams, the same on Linux and Windows.

#ifndef VEXAL_HOST_CLI_PLATFORM_IO_H_
#define VEXAL_HOST_CLI_PLATFORM_IO_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vexal::cli {

// Switches standard input, output and error to binary mode, so that bytes
// pass unchanged (Windows; nothing to do elsewhere).
void useBinaryStandardStreams();

// Opens a file for reading in binary mode; the path is UTF-8. Null with
// error set when it cannot be opened or is a directory. size gets the
// file's size, or -1 when it has none (a pipe or device).
std::FILE* openForReading(const std::string& path, std::string& error, std::int64_t& size);

// The program's arguments after its name, as UTF-8.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_PLATFORM_IO_H_
