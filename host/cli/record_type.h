// The record types, as the command line names them (core/record_type.h).

#ifndef VEXAL_HOST_CLI_RECORD_TYPE_H_
#define VEXAL_HOST_CLI_RECORD_TYPE_H_

#include "core/record_type.h"

namespace vexal::cli {

using core::Detection;
using core::detectRecordType;
using core::isRecordType;
using core::kRecordTypes;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_RECORD_TYPE_H_
