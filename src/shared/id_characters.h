// The characters of a data-record id (DSID) and a process id (VOID).

#ifndef VEXAL_SHARED_ID_CHARACTERS_H_
#define VEXAL_SHARED_ID_CHARACTERS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// True when every character of "wert", upper-cased, is a capital, a digit,
// a blank, ".", "-" or "/". At the first other character the text
// "Zeichen "<c>" unzulässig." goes into `hf_fehlertext` (the calling
// topic's) and the scan stops. Runs in its section "Funktion
// F_IstDsIdVoIdKonform"; by-name parameter "wert".
pl::Value* F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert,
                                pl::LocalVariable* hf_fehlertext);

// What it answers, for rule code: directly when no section observer
// listens, else by calling it, so that the observer sees its section.
bool isIdConform(pl::RuntimeContext* ctx, pl::Value* wert, pl::LocalVariable* hf_fehlertext);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_ID_CHARACTERS_H_
