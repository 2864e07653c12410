// Company numbers (Betriebsnummern) and the release of reporting years,
// shared by the query and wage-report record types. Each function runs in
// its section "Funktion <name>", writes no message and logs and rethrows
// what goes wrong, like any rule function; the callers turn a failed
// result into their own message. By-name parameter names in quotes.

#ifndef VEXAL_SHARED_COMPANY_NUMBERS_H_
#define VEXAL_SHARED_COMPANY_NUMBERS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// The check digit of a digit string ("wert"): the digits weighted 1, 2,
// 1, 2, ... from the left, the digits of all products summed, and the last
// character of the sum: a one-character text.
pl::Value* F_GibBbnrPruefziffer(pl::RuntimeContext* ctx, pl::Value* wert);

// An ordinary company number ("bbnr"), the raw 15-character field: eight
// digits, left-aligned, not beginning with 000 or 100 to 110, whose eighth
// digit is the check digit of the first seven or that digit plus 5
// (modulo 10). The number 1 when valid, 0 otherwise.
pl::Value* F_PruefeBetriebsnummer(pl::RuntimeContext* ctx, pl::Value* bbnr);

// A separate company number ("bbnr"): "A" and seven digits, left-aligned in
// 15 characters, the last digit the check digit of the six before it or
// that digit plus 5. The number 1 when valid, 0 otherwise.
pl::Value* F_PruefeGesonderteBetriebsnummer(pl::RuntimeContext* ctx, pl::Value* bbnr);

// Whether a reporting year ("paramMeldejahr") may already be reported:
// the current year always, the next one from the day after the switch day
// ("paramSchalttag", "MMTT") of the current year on. A truth value.
pl::Value* F_IstMjahrFreigeschaltet(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr,
                                    pl::Value* paramSchalttag);

// What F_PruefeBetriebsnummer and F_IstMjahrFreigeschaltet answer, for
// rule code: directly when no section observer listens, else by calling
// the function, so that the observer sees its section.
bool isCompanyNumber(pl::RuntimeContext* ctx, pl::Value* bbnr);
bool isReleasedYear(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr, pl::Value* paramSchalttag);
// The same with the switch day in a variable, which need not make a value
// of it.
bool isReleasedYear(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr,
                    pl::LocalVariable* paramSchalttag);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_COMPANY_NUMBERS_H_
