// The record layout of a record type, built from its catalogue.

#ifndef VEXAL_MACHINERY_RECORD_LAYOUT_H_
#define VEXAL_MACHINERY_RECORD_LAYOUT_H_

#include "machinery/catalogue.h"
#include "model/record_definition.h"

namespace vexal::machinery {

// Adds the root fields in record order, then each group: the group with its
// counter field name or existence condition, its members in order, and only
// then the group itself. On failure the definition keeps what was added
// (its destructor releases it) and the exception propagates.
void buildRecordLayout(RecordDefinition& definition, const RecordCatalogue& catalogue);

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_RECORD_LAYOUT_H_
