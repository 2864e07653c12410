// The text rule functions every record type uses. Each takes one text
// (init-parameter name "Zeichenkette" when called by name), runs in its
// section "Funktion <name>" and logs and rethrows what goes wrong, like any
// rule function. Positions are 1-based.

#ifndef VEXAL_SHARED_TEXT_FUNCTIONS_H_
#define VEXAL_SHARED_TEXT_FUNCTIONS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <array>

#include "machinery/by_name.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// True for a text of blanks only and for the empty text.
pl::Value* F_IstLeerzeichen(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// False exactly when the text starts with one or more blanks followed by a
// non-blank character.
pl::Value* F_IstLinksbündig(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// The text without leading and trailing blanks.
pl::Value* F_Trim(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// The by-name key of F_IstLinksbündig, in Latin-1.
inline constexpr char kIstLinksbuendigName[] = "F_IstLinksb\xFCndig";

// The three as every record type's rule set offers them by name.
inline constexpr std::array kTextFunctions = {
    machinery::byName<&F_IstLeerzeichen>("F_IstLeerzeichen", "Zeichenkette"),
    machinery::byName<&F_IstLinksbündig>(kIstLinksbuendigName, "Zeichenkette"),
    machinery::byName<&F_Trim>("F_Trim", "Zeichenkette"),
};

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_TEXT_FUNCTIONS_H_
