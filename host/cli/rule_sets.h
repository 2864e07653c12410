// Rule sets and layouts, as the command line names them (core/rule_sets.h).

#ifndef VEXAL_HOST_CLI_RULE_SETS_H_
#define VEXAL_HOST_CLI_RULE_SETS_H_

#include "core/rule_sets.h"

namespace vexal::cli {

using core::LoadedRecordType;
using core::RuleSetProvider;

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_RULE_SETS_H_
