// Telling files that are not Latin-1, as the command line names it (core/input_encoding.h).

#ifndef VEXAL_HOST_CLI_INPUT_ENCODING_H_
#define VEXAL_HOST_CLI_INPUT_ENCODING_H_

#include "core/input_encoding.h"

namespace vexal::cli {

using core::EncodingWatch;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_INPUT_ENCODING_H_
