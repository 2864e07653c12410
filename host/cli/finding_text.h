// A finding's texts, as the command line names them (core/finding_text.h).

#ifndef VEXAL_HOST_CLI_FINDING_TEXT_H_
#define VEXAL_HOST_CLI_FINDING_TEXT_H_

#include "core/finding_text.h"

namespace vexal::cli {

using core::appendFindingLabel;
using core::appendFindingText;
using core::checkOf;
using core::describeFinding;
using core::errorCode;
using core::fieldDisplayName;
using core::findingLabel;
using core::findingOf;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_FINDING_TEXT_H_
