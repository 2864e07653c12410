// The whole interface of the rule runtime.

#ifndef VEXAL_RUNTIME_PL_PL_H_
#define VEXAL_RUNTIME_PL_PL_H_

#include "pl/arena.h"
#include "pl/check_record.h"
#include "pl/data_record.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/logger.h"
#include "pl/mapping.h"
#include "pl/plausi.h"
#include "pl/plausi_exception.h"
#include "pl/plausi_problem.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"
#include "pl/type_descriptor.h"
#include "pl/types.h"
#include "pl/util.h"
#include "pl/value.h"

#endif  // VEXAL_RUNTIME_PL_PL_H_
