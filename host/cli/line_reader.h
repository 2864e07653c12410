// Reading lines, as the command line names it (core/line_reader.h).

#ifndef VEXAL_HOST_CLI_LINE_READER_H_
#define VEXAL_HOST_CLI_LINE_READER_H_

#include "core/line_reader.h"

namespace vexal::cli {

using core::ByteSource;
using core::FileSource;
using core::LineReader;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_LINE_READER_H_
