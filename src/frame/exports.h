// The entry points of libvexal, four per record type (twenty for the
// five): one function that hands out a new rule set, one that hands out a
// new record layout, and the two that take them back. Objects belong to the caller until
// handed back; null is ignored by the unload functions.

#ifndef VEXAL_FRAME_EXPORTS_H_
#define VEXAL_FRAME_EXPORTS_H_

#include "frame/export.h"
#include "frame/record_types.h"

namespace pl {
class Plausi;
}
class RecordDefinition;

#define VEXAL_DECLARE_RECORD_TYPE_EXPORTS(R)                \
  VEXAL_EXPORT pl::Plausi* loadPlausi##R();                 \
  VEXAL_EXPORT void unloadPlausi##R(pl::Plausi* plausi);    \
  VEXAL_EXPORT RecordDefinition* loadRecordDefinition##R(); \
  VEXAL_EXPORT void unloadRecordDefinition##R(RecordDefinition* definition);

// loadPlausiDSKO_04, unloadPlausiDSKO_04, loadRecordDefinitionDSKO_04,
// unloadRecordDefinitionDSKO_04, and so on for every record type.
VEXAL_RECORD_TYPES(VEXAL_DECLARE_RECORD_TYPE_EXPORTS)

#undef VEXAL_DECLARE_RECORD_TYPE_EXPORTS

#endif  // VEXAL_FRAME_EXPORTS_H_
