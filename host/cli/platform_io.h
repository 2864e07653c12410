// Files and standard streams, the same on Linux and Windows.

#ifndef VEXAL_HOST_CLI_PLATFORM_IO_H_
#define VEXAL_HOST_CLI_PLATFORM_IO_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/open_file.h"

namespace vexal::cli {

// Switches standard input, output and error to binary mode, so that bytes
// pass unchanged (Windows; nothing to do elsewhere).
void useBinaryStandardStreams();

using core::openForReading;

// The program's arguments after its name, as UTF-8.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_PLATFORM_IO_H_
