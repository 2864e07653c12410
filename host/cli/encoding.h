// Text encodings, as the command line names them (core/encoding.h).

#ifndef VEXAL_HOST_CLI_ENCODING_H_
#define VEXAL_HOST_CLI_ENCODING_H_

#include "core/encoding.h"

namespace vexal::cli {

using core::appendCodePoint;
using core::appendUtf8;
using core::argumentTo1252;
using core::codePointOf1252;
using core::decodeUtf8;
using core::isValidUtf8;
using core::nameToUtf8;
using core::toUtf8;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_ENCODING_H_
