// The blanks at either end of a text, as the runtime finds them.

#ifndef VEXAL_SHARED_BLANKS_H_
#define VEXAL_SHARED_BLANKS_H_

#include "pl/blanks.h"

namespace vexal::shared {

using pl::endOfNonBlank;
using pl::firstNonBlank;

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_BLANKS_H_
