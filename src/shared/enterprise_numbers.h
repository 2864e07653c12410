// The enterprise number (Unternehmensnummer, UNRS) of the second versions
// of the query and wage-report records: eleven digits, a check digit, and
// digits after it; all zeros where none is given. Each function runs in its
// section "Funktion <name>" and logs and rethrows what goes wrong, like any
// rule function; by-name parameter names in quotes.

#ifndef VEXAL_SHARED_ENTERPRISE_NUMBERS_H_
#define VEXAL_SHARED_ENTERPRISE_NUMBERS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <optional>
#include <string_view>

#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// The check digit of a digit string ("wert"): the digits weighted 4, 9, 4,
// 9, ... from the left and summed; 10 minus the sum modulo 10, where 10
// becomes 0. A number. Arithmetic on a character that is no digit raises
// the runtime's error.
pl::Value* F_GibUnrsPruefziffer(pl::RuntimeContext* ctx, pl::Value* wert);

// True when every character of "Zeichenkette" is "0": also for the empty
// text and for the invalid value, which have no characters.
pl::Value* F_IstNullen(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// What F_IstNullen answers, for rule code: directly when no section
// observer listens, else by calling it, so that the observer sees its
// section.
bool isZeros(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// The check digit F_GibUnrsPruefziffer gives for a text of digits (the
// empty text too); nullopt when the text holds anything else.
std::optional<int> unrsCheckDigitOf(std::string_view digits);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_ENTERPRISE_NUMBERS_H_
